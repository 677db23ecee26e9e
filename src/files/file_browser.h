// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/directory_reader.h"

#include <QObject>

namespace quorvex {

class Form1;

// The file browser: drive, directory, pattern, file list, histories. Every
// change of drive, directory or pattern lists the files again and wipes the
// previous scan from the window, so that nothing on screen refers to another file
// than the one now chosen. A change of drive or directory and F5 read the
// directory afresh; a new pattern filters the listing read for the directory
// box when that is less than two seconds old, so that typing in the pattern
// box does not ask a server for the directory at every keystroke.
class FileBrowser : public QObject
{
    Q_OBJECT
public:
    explicit FileBrowser(Form1& form);

    void Drive1_Change();
    void Dir1_Change();
    // F5: the directory and its files as they are now.
    void refresh();
    void Combo2_Change();
    void Combo2_Click();
    void Combo2_LostFocus();
    void Command3_Click();
    void List3_Click();
    void List3_DblClick();
    void Label1_Change();
    void Combo1_Click();

    // The directory box path with a backslash unless it already ends in one.
    QString directoryPrefix() const;
    // The text of the selected file-list entry (empty when none).
    QString selectedFile() const;

    // Points the browser at a full DOS path: drive, pattern "*.*", directory,
    // and selects the first listed file whose name begins with the bare name,
    // ignoring case (clearing the selection when none does). The file history and
    // the command line use it before they scan.
    void pointAt(const QString& fullPath);

    // Appends a pattern to the pattern box's list without touching its text.
    void addPatternHistory(const QString& pattern);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The listing half of a refresh; false when the enumeration failed.
    bool listFiles();
    // The other half: the previous scan's results and buttons go.
    void resetScanView();
    void setInfoText(const QString& text);
    void applyHorizontalExtent();

    Form1& form_;
    DirectoryReader reader_;
    bool fallingBack_ = false;  // inside the drive change's fall-back to C:
    bool driveChangeOk_ = true; // whether the last drive change reached its directory
};

} // namespace quorvex
