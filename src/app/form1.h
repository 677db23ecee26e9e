// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings.h"
#include "netware/netware_client.h"
#include "scan/connection_info.h"
#include "scan/scan_result.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvex {

struct Services;
class DirectoryBox;
class DriveBox;
class IntervalTimer;
class MessagePane;

class ScanEngine;
class Watch;
class FileBrowser;
class UserSelection;
class SendMessage;
class ClearConnectionAction;
class FileLocks;
class Reports;
class DialogButtons;
class Lifecycle;
class KeysAndFind;

// The main window. It creates the controls (named after their control names),
// owns the state the subsystems share, and creates the subsystems, each of which
// connects the controls it answers. It holds no behaviour of its own.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    Form1(Services& services, nw::NetWareClient& client, QWidget* parent = nullptr);
    ~Form1() override;

    Services& services() const { return services_; }
    nw::NetWareClient& client() const { return client_; }

    ScanEngine& scan() const { return *scan_; }
    Watch& watch() const { return *watch_; }
    FileBrowser& browser() const { return *browser_; }
    UserSelection& selection() const { return *selection_; }
    SendMessage& sendMessage() const { return *sendMessage_; }
    ClearConnectionAction& clearConnection() const { return *clearConnection_; }
    FileLocks& locks() const { return *locks_; }
    Reports& reports() const { return *reports_; }
    DialogButtons& dialogButtons() const { return *dialogButtons_; }
    Lifecycle& lifecycle() const { return *lifecycle_; }
    KeysAndFind& keys() const { return *keys_; }

    // The controls, as the subsystems know them by name.
    DriveBox* Drive1 = nullptr;
    DirectoryBox* Dir1 = nullptr;
    QComboBox* Combo2 = nullptr;     // file pattern and its history
    QPushButton* Command3 = nullptr; // "All" files
    QListWidget* List3 = nullptr;    // file list
    QLabel* Label2 = nullptr;        // file count
    QLabel* Label1 = nullptr;        // date and size of the chosen file
    QComboBox* Combo1 = nullptr;     // file history

    QLabel* Label4 = nullptr;        // "Connections"
    QLabel* Label5 = nullptr;        // user count
    QListWidget* List1 = nullptr;    // users found by the scan
    QLabel* Label7 = nullptr;        // "Find"
    QLineEdit* Text1 = nullptr;      // find box
    QPushButton* Command6 = nullptr; // clear the find box

    QCheckBox* Check1 = nullptr; // rescan
    QLineEdit* Text3 = nullptr;  // rescan seconds
    IntervalTimer* Timer1 = nullptr;

    QPushButton* Command1 = nullptr;  // Scan
    QPushButton* Command9 = nullptr;  // Stop
    QPushButton* Command14 = nullptr; // All users
    QPushButton* Command15 = nullptr; // None
    QPushButton* Command12 = nullptr; // Send
    QPushButton* Command13 = nullptr; // Clear connection
    QPushButton* Command16 = nullptr; // User
    QPushButton* Command11 = nullptr; // Locks
    QPushButton* Command4 = nullptr;  // Print
    QPushButton* Command5 = nullptr;  // Copy
    QPushButton* Command17 = nullptr; // Options
    QPushButton* Command18 = nullptr; // Info
    QPushButton* Command7 = nullptr;  // About
    QPushButton* Command2 = nullptr;  // Exit

    QLabel* Label3 = nullptr;     // "System Messages/Connection Information"
    MessagePane* Text2 = nullptr; // message pane

    // Shared state.
    Settings settings;
    QList<ConnectionInfo> connections; // record i belongs to line i of List1
    ScanResult lastScan;
    QStringList List2; // users of the last logged scan
    nw::NWCONN_HANDLE serverConnection = 0;
    bool stopRequested = false;
    bool NoClearPrompt = false;
    QString LastMessage;
    int PathHistoryLast = -1;
    int PatternHistoryLast = -1;

    // Design inner size of the window, in twips.
    static constexpr int kDesignWidthTwips = 8685;
    static constexpr int kDesignHeightTwips = 5910;

    // Puts the seconds box into the blank run of the rescan box's caption, where
    // the caption is drawn now; after every change of the rescan box's size.
    void placeSecondsBox();

private:
    void createControls();

    Services& services_;
    nw::NetWareClient& client_;

    std::unique_ptr<ScanEngine> scan_;
    std::unique_ptr<Watch> watch_;
    std::unique_ptr<FileBrowser> browser_;
    std::unique_ptr<UserSelection> selection_;
    std::unique_ptr<SendMessage> sendMessage_;
    std::unique_ptr<ClearConnectionAction> clearConnection_;
    std::unique_ptr<FileLocks> locks_;
    std::unique_ptr<Reports> reports_;
    std::unique_ptr<DialogButtons> dialogButtons_;
    std::unique_ptr<Lifecycle> lifecycle_;
    std::unique_ptr<KeysAndFind> keys_;
};

} // namespace quorvex
