// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shell_world.h"

#include "app/lifecycle.h"
#include "files/drive_box.h"

#include <QDir>
#include <QFile>

namespace quorvex::test {

namespace {
constexpr nw::NWCCODE kFail = nw::kInvalidConnection;
}

Answer RecordingPrompts::messageBox(const QString& text, const QString& title, MsgIcon icon,
                                    MsgButtons buttons, Answer defaultButton)
{
    boxes.append(title + QLatin1Char('|') + text + QLatin1Char('|') + nameOf(icon));
    return effectiveDefault(buttons, defaultButton);
}

std::optional<QString> RecordingPrompts::inputBox(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

void RecordingPrompts::showNotification(const QString& text, const QString& title, MsgIcon icon)
{
    boxes.append(title + QLatin1Char('|') + text + QLatin1Char('|') + nameOf(icon));
}

nw::NWCCODE StubClient::NWParsePath(const char* path, std::span<char>, nw::NWCONN_HANDLE&,
                                    std::span<char>, std::span<char>)
{
    parsedPaths.append(QString::fromLocal8Bit(path));
    return nw::kBadPathSyntax;
}
nw::NWCCODE StubClient::NWScanConnectionsUsingFile(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                                   std::int16_t&, nw::CONN_USING_FILE_SUMMARY&,
                                                   nw::CONNS_USING_FILE&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWGetConnectionInformation(nw::NWCONN_HANDLE, std::uint16_t,
                                                   std::span<char>, std::uint16_t&, std::uint32_t&,
                                                   std::span<std::uint8_t>)
{
    return kFail;
}
nw::NWCCODE StubClient::NWGetInetAddr(nw::NWCONN_HANDLE, std::uint16_t, nw::NWINET_ADDR&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWSendBroadcastMessage(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                               const std::uint32_t*, std::uint8_t*)
{
    return kFail;
}
nw::NWCCODE StubClient::NWClearConnectionNumber(nw::NWCONN_HANDLE, std::uint16_t)
{
    return kFail;
}
nw::NWCCODE StubClient::NWClearFileLockSet(nw::NWCONN_HANDLE)
{
    return kFail;
}
nw::NWCCODE StubClient::NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE,
                                                        const char*, nw::NWDIR_HANDLE&,
                                                        std::uint8_t&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWClearFileLock2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*)
{
    return kFail;
}
nw::NWCCODE StubClient::NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE)
{
    return kFail;
}
nw::NWCCODE StubClient::NWGetVolumeNumber(nw::NWCONN_HANDLE, const char*, std::uint16_t&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWScanObjectTrusteePaths(nw::NWCONN_HANDLE, std::uint32_t, std::uint16_t,
                                                 std::uint16_t&, std::uint8_t&, std::span<char>)
{
    return kFail;
}
nw::NWCCODE StubClient::NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE,
                                                    const char*, std::uint32_t&, std::span<char>,
                                                    std::uint32_t&, std::uint32_t&,
                                                    std::span<nw::TRUSTEE_INFO>)
{
    return kFail;
}
nw::NWCCODE StubClient::NWDSCreateContextHandle(nw::NWDSContextHandle&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWDSSetContext(nw::NWDSContextHandle, int, const void*)
{
    return kFail;
}
nw::NWCCODE StubClient::NWDSMapNameToID(nw::NWDSContextHandle, nw::NWCONN_HANDLE, const char*,
                                        std::uint32_t&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWDSMapIDToName(nw::NWDSContextHandle, nw::NWCONN_HANDLE, std::uint32_t,
                                        std::span<char>)
{
    return kFail;
}
nw::NWCCODE StubClient::NWDSFreeContext(nw::NWDSContextHandle)
{
    return kFail;
}
nw::NWCCODE StubClient::NWGetObjectName(nw::NWCONN_HANDLE, std::uint32_t, std::span<char>,
                                        std::uint16_t&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWCCOpenConnByName(nw::NWCONN_HANDLE, const char*, std::uint32_t,
                                           std::uint32_t, std::uint32_t, nw::NWCONN_HANDLE&)
{
    return kFail;
}
nw::NWCCODE StubClient::NWCCCloseConn(nw::NWCONN_HANDLE)
{
    return kFail;
}
nw::NWCCODE StubClient::NWGetLongName(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                      std::uint8_t, std::uint8_t, std::span<char>)
{
    return kFail;
}
nw::NWCCODE StubClient::NWIntScanExtendedInfo(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, std::uint8_t,
                                              std::uint32_t&, const char*, nw::NW_EXT_FILE_INFO&,
                                              std::uint8_t)
{
    return kFail;
}
nw::NWCCODE StubClient::NWGetFileServerVersionInfo(nw::NWCONN_HANDLE, nw::VERSION_INFO&)
{
    return kFail;
}

class ShellWorld::NullClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2004, 3, 7), QTime(9, 0)); }
    qint64 monotonicMs() const override { return 0; }
};

class ShellWorld::NullShell : public Shell
{
public:
    bool openDocument(const QString&) override { return false; }
    QString findBrowser() override { return {}; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

class ShellWorld::NullPrinter : public Printer
{
public:
    PrintOutcome print(const QString&, const QList<PrintLine>&) override
    {
        return PrintOutcome::NoPrinter;
    }
};

class ShellWorld::NullClipboard : public Clipboard
{
public:
    void setText(const QString& text) override { text_ = text; }
    QString text() const override { return text_; }

private:
    QString text_;
};

ShellWorld::ShellWorld()
    : clock_(std::make_unique<NullClock>()), shell_(std::make_unique<NullShell>()),
      printer_(std::make_unique<NullPrinter>()), clipboard_(std::make_unique<NullClipboard>())
{
    dirs_ = std::make_unique<AppDirs>(hostDir(QStringLiteral("program")),
                                      hostDir(QStringLiteral("data")), settingsFile(),
                                      hostDir(QStringLiteral("tmp")));
    makeDir(QStringLiteral("c"));
    build();
    mapDrive(QLatin1Char('C'), QStringLiteral("fixed:") + hostDir(QStringLiteral("c")));
}

ShellWorld::~ShellWorld()
{
    form_.reset();
}

QString ShellWorld::hostDir(const QString& relative) const
{
    return relative.isEmpty() ? tmp_.path() : tmp_.path() + QLatin1Char('/') + relative;
}

QString ShellWorld::makeDir(const QString& relative) const
{
    QDir().mkpath(hostDir(relative));
    return hostDir(relative);
}

QString ShellWorld::makeFile(const QString& relative, qint64 size) const
{
    const QString path = hostDir(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray(size, 'x'));
    return path;
}

QString ShellWorld::settingsFile() const
{
    return hostDir(QStringLiteral("Quorvex.ini"));
}

void ShellWorld::mapDrive(QChar letter, const QString& value)
{
    store_->setValue(DriveMap::kSection, QString(letter), value);
    drives_.reload(*store_);
    if (form_)
        form_->Drive1->setDriveMap(&drives_);
}

void ShellWorld::setOption(const QString& key, const QString& value)
{
    store_->setValue(QStringLiteral("Options"), key, value);
}

QString ShellWorld::storedOption(const QString& key) const
{
    const SettingsStore onDisk(settingsFile());
    if (!onDisk.contains(QStringLiteral("Options"), key))
        return QString();
    const QString value = onDisk.value(QStringLiteral("Options"), key);
    return value.isNull() ? QStringLiteral("") : value;
}

void ShellWorld::build()
{
    store_ = std::make_unique<SettingsStore>(settingsFile());
    drives_.reload(*store_);
    services_ = std::unique_ptr<Services>(new Services{*store_, drives_, prompts, *clock_, *shell_,
                                                       *printer_, *clipboard_, *dirs_, false});
}

Form1& ShellWorld::form()
{
    if (!form_)
        form_ = std::make_unique<Form1>(*services_, client);
    return *form_;
}

bool ShellWorld::load(const QString& commandLine)
{
    return form().lifecycle().Form_Load(commandLine);
}

void ShellWorld::restart()
{
    form_.reset();
    store_->sync(); // keys the test set before the next run (the drive map)
    build();
}

} // namespace quorvex::test
