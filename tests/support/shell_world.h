// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/form1.h"
#include "netware/netware_client.h"
#include "platform/app_dirs.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/printer.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace quorvex::test {

// Prompts that record every call and answer with the default button.
class RecordingPrompts : public Prompts
{
public:
    Answer messageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                      Answer defaultButton) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> passwordBox(const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void beep() override { ++beeps; }
    void showNotification(const QString& text, const QString& title, MsgIcon icon) override;
    bool raiseWindowTitled(const QString&) override { return false; }

    int beeps = 0;
    QStringList boxes; // "title|text|icon" of every message box
};

// A NetWare client whose initialisation answers initResult and whose every other
// call fails with 0x8801; it records the paths handed to NWParsePath.
class StubClient : public nw::NetWareClient
{
public:
    nw::NWCCODE initResult = 0;
    QStringList parsedPaths;

    nw::NWCCODE NWCallsInit(void*, void*) override { return initResult; }
    nw::NWCCODE NWParsePath(const char* path, std::span<char>, nw::NWCONN_HANDLE&, std::span<char>,
                            std::span<char>) override;
    nw::NWCCODE NWScanConnectionsUsingFile(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                           std::int16_t&, nw::CONN_USING_FILE_SUMMARY&,
                                           nw::CONNS_USING_FILE&) override;
    nw::NWCCODE NWGetConnectionInformation(nw::NWCONN_HANDLE, std::uint16_t, std::span<char>,
                                           std::uint16_t&, std::uint32_t&,
                                           std::span<std::uint8_t>) override;
    nw::NWCCODE NWGetInetAddr(nw::NWCONN_HANDLE, std::uint16_t, nw::NWINET_ADDR&) override;
    nw::NWCCODE NWSendBroadcastMessage(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                       const std::uint32_t*, std::uint8_t*) override;
    nw::NWCCODE NWClearConnectionNumber(nw::NWCONN_HANDLE, std::uint16_t) override;
    nw::NWCCODE NWClearFileLockSet(nw::NWCONN_HANDLE) override;
    nw::NWCCODE NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                                nw::NWDIR_HANDLE&, std::uint8_t&) override;
    nw::NWCCODE NWClearFileLock2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*) override;
    nw::NWCCODE NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE) override;
    nw::NWCCODE NWGetVolumeNumber(nw::NWCONN_HANDLE, const char*, std::uint16_t&) override;
    nw::NWCCODE NWScanObjectTrusteePaths(nw::NWCONN_HANDLE, std::uint32_t, std::uint16_t,
                                         std::uint16_t&, std::uint8_t&, std::span<char>) override;
    nw::NWCCODE NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                            std::uint32_t&, std::span<char>, std::uint32_t&,
                                            std::uint32_t&, std::span<nw::TRUSTEE_INFO>) override;
    nw::NWCCODE NWDSCreateContextHandle(nw::NWDSContextHandle&) override;
    nw::NWCCODE NWDSSetContext(nw::NWDSContextHandle, int, const void*) override;
    nw::NWCCODE NWDSMapNameToID(nw::NWDSContextHandle, nw::NWCONN_HANDLE, const char*,
                                std::uint32_t&) override;
    nw::NWCCODE NWDSMapIDToName(nw::NWDSContextHandle, nw::NWCONN_HANDLE, std::uint32_t,
                                std::span<char>) override;
    nw::NWCCODE NWDSFreeContext(nw::NWDSContextHandle) override;
    nw::NWCCODE NWGetObjectName(nw::NWCONN_HANDLE, std::uint32_t, std::span<char>,
                                std::uint16_t&) override;
    nw::NWCCODE NWCCOpenConnByName(nw::NWCONN_HANDLE, const char*, std::uint32_t, std::uint32_t,
                                   std::uint32_t, nw::NWCONN_HANDLE&) override;
    nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE) override;
    nw::NWCCODE NWGetLongName(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*, std::uint8_t,
                              std::uint8_t, std::span<char>) override;
    nw::NWCCODE NWIntScanExtendedInfo(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, std::uint8_t,
                                      std::uint32_t&, const char*, nw::NW_EXT_FILE_INFO&,
                                      std::uint8_t) override;
    nw::NWCCODE NWGetFileServerVersionInfo(nw::NWCONN_HANDLE, nw::VERSION_INFO&) override;
    nw::NWCCODE NWScanOpenFilesByConn2(nw::NWCONN_HANDLE, std::uint16_t, std::int16_t&,
                                       nw::OPEN_FILE_CONN_CTRL&, nw::OPEN_FILE_CONN&) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetObjectConnectionNumbers(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                             std::uint16_t&, std::span<std::uint16_t>) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetActiveConnListByType(nw::NWCONN_HANDLE, std::uint32_t, std::uint32_t,
                                          nw::NWFSE_ACTIVE_CONN_LIST&) override
    {
        return nw::kLockError;
    }
    nw::NWCCODE NWGetPathFromDirectoryBase(nw::NWCONN_HANDLE, std::uint8_t, std::uint32_t,
                                           std::uint8_t, std::uint8_t&, std::span<char>) override
    {
        return nw::kLockError;
    }
};

// A machine for the shell's tests: a temporary directory holding the settings
// file and the host directories of the drives, the services over them, and the
// main window. restart() is the next run of the program: a fresh store read
// from the same file, and a fresh window.
class ShellWorld
{
public:
    ShellWorld();
    ~ShellWorld();

    QString hostDir(const QString& relative = {}) const; // under the temporary directory
    QString makeDir(const QString& relative) const;
    QString makeFile(const QString& relative, qint64 size = 0) const;

    // Writes "letter=value" into the Drives section (e.g. "fixed:" + hostDir("c")).
    void mapDrive(QChar letter, const QString& value);
    // Sets an Options key before the window loads.
    void setOption(const QString& key, const QString& value);
    QString settingsFile() const;
    // The stored value as the file holds it now (re-read from disk); null when missing.
    QString storedOption(const QString& key) const;

    Form1& form();                              // created on first use
    bool load(const QString& commandLine = {}); // Form_Load
    void restart();                             // drops the window and the store, keeps the file

    SettingsStore& store() { return *store_; }
    DriveMap& drives() { return drives_; }
    Services& services() { return *services_; }

    RecordingPrompts prompts;
    StubClient client;

private:
    class NullClock;
    class NullShell;
    class NullPrinter;
    class NullClipboard;

    void build();

    QTemporaryDir tmp_;
    std::unique_ptr<SettingsStore> store_;
    DriveMap drives_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<Printer> printer_;
    std::unique_ptr<Clipboard> clipboard_;
    std::unique_ptr<AppDirs> dirs_;
    std::unique_ptr<Services> services_;
    std::unique_ptr<Form1> form_;
};

} // namespace quorvex::test
