// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quorvex {

class DirectoryBox;
class DirectoryReader;
class DriveBox;
class Form1;

// The Options window: edits the main window's Settings record. It is filled from
// the record when it opens and copies its controls back whatever closes it; the
// notify choice and the Beep and Message boxes change the record at once. The
// auto-clear box, date and time show their design state at every opening.
class Options : public QDialog
{
    Q_OBJECT
public:
    explicit Options(Form1& form);
    ~Options() override;

    // Form_Unload runs from here, however the window closes.
    void done(int result) override;

    void OptionClick(); // Option1_Click, Option2_Click, Option3_Click
    void Check1_Click();
    void Check2_Click();
    void Drive1_Change();
    void Dir1_Change();
    void Text1_Change();
    void Command1_Click();
    void Command2_Click();
    void Text2_LostFocus();
    void Text3_LostFocus();

    // The controls, by their names.
    QGroupBox* Frame1 = nullptr; // "Notify Me When"
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QGroupBox* Frame2 = nullptr; // "Notify Me Via"
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QGroupBox* Frame3 = nullptr; // "Copy From"
    DriveBox* Drive1 = nullptr;
    DirectoryBox* Dir1 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame4 = nullptr; // "Connection Information"
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check7 = nullptr;
    QCheckBox* Check8 = nullptr;
    QCheckBox* Check9 = nullptr;
    QCheckBox* Check10 = nullptr;
    QGroupBox* Frame5 = nullptr; // "File Activity Log File"
    QCheckBox* Check11 = nullptr;
    QCheckBox* Check12 = nullptr;
    QCheckBox* Check13 = nullptr;
    QGroupBox* Frame6 = nullptr; // "Clear Connections"
    QCheckBox* Check15 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;
    QPushButton* Command2 = nullptr;

    // Design inner size, in twips.
    static constexpr int kDesignWidthTwips = 7350;
    static constexpr int kDesignHeightTwips = 4440;
    // The file list scrolls sideways across 1000 pixels, whatever its names.
    static constexpr int kFileListExtentPx = 1000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void connectControls();
    void Form_Load();
    void Form_Unload();
    void enableCopyFrom(bool enabled);

    Form1& form_;
    // The Copy From folder's listing, filtered again as its pattern is typed.
    std::unique_ptr<DirectoryReader> reader_;
    bool unloaded_ = false;
    bool driveFallback_ = false;
    bool centred_ = false;
};

} // namespace quorvex
