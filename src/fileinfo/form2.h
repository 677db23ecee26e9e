// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvex {

class Form1;
struct ExtendedFileInfo;

// The extended file information window: the NetWare directory entry of the
// file selected in the main window's file list. It loads when it is shown
// (exec), so each opening reads the selection anew; a failure while gathering
// leaves it unshown.
class Form2 : public QDialog
{
    Q_OBJECT
public:
    explicit Form2(Form1& form);

    // Reads the selection and fills the window. False when gathering failed and
    // the window is not to be shown.
    bool Form_Load();
    // Loads (once) and shows the window modally; Rejected at once when loading failed.
    int exec() override;

    void Command1_Click(); // "C&opy"
    void Command2_Click(); // "&Close"

    // The clipboard text of "C&opy".
    QString copyText() const;
    const QString& localPath() const { return localPath_; }
    const QString& netwarePath() const { return netwarePath_; }

    QPushButton* Command1 = nullptr; // "C&opy"
    QPushButton* Command2 = nullptr; // "&Close"
    QGroupBox* Frame1 = nullptr;     // the file, captioned with its name
    QGroupBox* Frame2 = nullptr;     // " Attributes "
    QList<QLabel*> Label;            // the seven captions, in field order
    QList<QLineEdit*> Text;          // the seven fields: created, owner, last access,
                                     // last archived, archived by, last modified, modified by
    QList<QCheckBox*> Check;         // one per attribute, in attribute table order

private:
    void createControls();
    void showInfo(const ExtendedFileInfo& info);

    Form1& form_;
    QString localPath_;
    QString netwarePath_;
    bool loaded_ = false;
    bool loadResult_ = true;
};

} // namespace quorvex
