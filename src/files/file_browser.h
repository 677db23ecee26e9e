#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// The file browser: drive, directory, pattern, file list, histories.
class FileBrowser : public QObject
{
    Q_OBJECT
public:
    explicit FileBrowser(Form1& form);

    void Drive1_Change();
    void Dir1_Change();
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

private:
    Form1& form_;
};

} // namespace quorvex
