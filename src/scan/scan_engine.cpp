// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/scan_engine.h"

#include "app/form1.h"
#include "app/interval_timer.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "netware/netware_text.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/file_helpers.h"
#include "platform/list_extent.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/termination_signals.h"
#include "scan/scan_messages.h"
#include "scan/watch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>

#include <array>

namespace quorvex {

// The hourglass from arming to the scan's end, restored exactly once.
class ScanEngine::WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void restore()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

namespace {

const QString kUserListTip = QStringLiteral(" Click on user for more data ");

// Holds the running flag for the whole handler: message boxes and the loop's
// event turns can deliver a tick or a click, which must not start a scan inside
// this one.
// The flag lives in the engine, which goes with the window.
class RunningFlag
{
public:
    RunningFlag(bool& flag, const QPointer<Form1>& window) : flag_(flag), window_(window)
    {
        flag_ = true;
    }
    ~RunningFlag()
    {
        if (window_)
            flag_ = false;
    }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
    const QPointer<Form1>& window_;
};

} // namespace

ScanEngine::ScanEngine(Form1& form) : form_(form), details_(form)
{
    connect(form_.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Every user line is one name in one font; the list then lays out ten
    // thousand lines without measuring each one.
    form_.List1->setUniformItemSizes(true);
    // A list told of new lines lays all of them out again; in batches of a
    // hundred per turn of the event loop the scan's turns stay short.
    form_.List1->setLayoutMode(QListView::Batched);
}

void ScanEngine::Command1_Click()
{
    if (running_)
        return;
    // The window may be closed while the loop lets events run; the engine dies
    // with it, so after each turn nothing of either may be touched.
    QPointer<Form1> window(&form_);
    RunningFlag flag(running_, window);
    lastOutcome_ = Outcome::Failed;

    QString fileName, longPath, clientPath;
    if (!checkFile(fileName, longPath, clientPath))
        return;

    // Arm.
    WaitCursor cursor;
    const qint64 deadline = form_.services().clock.monotonicMs() + kDeadlineMs;
    form_.Command9->setVisible(true);
    form_.Text2->clear();

    QString volumePath;
    if (!parse(cursor, fileName, clientPath, volumePath))
        return;
    form_.lastScan = ScanResult{fileName, longPath, clientPath, volumePath, QString()};

    // From here on the list is rebuilt from empty.
    details_.begin(fileName, volumePath);
    form_.List1->setToolTip(QString());
    form_.List1->clear();
    form_.connections.clear();
    form_.Command12->setVisible(false);
    form_.Command13->setVisible(false);
    form_.Command16->setVisible(false);
    form_.Text2->setText(QStringLiteral("Scanning..."));

    const LoopEnd end = runClientLoop(cursor, volumePath, deadline);
    if (end == LoopEnd::WindowGone || !window)
        return;                        // nothing of the window or the engine is left to touch
    form_.List1->viewport()->update(); // the current line the checks moved
    if (end == LoopEnd::Complete) {
        lastOutcome_ = Outcome::Completed;
        complete(cursor, longPath);
    }
}

bool ScanEngine::checkFile(QString& fileName, QString& longPath, QString& clientPath)
{
    Services& services = form_.services();

    // Local drives are refused; an unknown type may still be a network drive.
    const QString root = form_.Drive1->drive().left(2) + QLatin1Char('\\');
    switch (services.drives.driveType(root)) {
    case DriveType::Removable:
    case DriveType::Fixed:
    case DriveType::CdRom:
        services.prompts.beep();
        form_.Text2->setText(QStringLiteral("Error! File must reside on network drive."));
        return false;
    default:
        break;
    }

    const QListWidgetItem* current = form_.List3->currentItem();
    fileName = current ? current->text() : QString();
    const QString dir = form_.Dir1->path();
    longPath =
        dir + (dir.endsWith(QLatin1Char('\\')) ? QString() : QStringLiteral("\\")) + fileName;

    if (!FileExists(services.drives, longPath)) {
        form_.Text2->setText(
            QStringLiteral("File doesn't exist. Press the F5 key to refresh files.") +
            serverProblemLine());
        return false;
    }

    const QString extendedPrefix = QStringLiteral("\\\\?\\");
    clientPath = shortPathName(services.drives, longPath);
    if (clientPath.isEmpty())
        clientPath = shortPathName(services.drives, extendedPrefix + longPath);
    if (clientPath.isEmpty()) {
        form_.Text2->setText(
            QStringLiteral("Unable to convert long file name to short file name."));
        return false;
    }
    if (clientPath.startsWith(extendedPrefix))
        clientPath.remove(0, extendedPrefix.size());
    return true;
}

bool ScanEngine::parse(WaitCursor& cursor, const QString& fileName, const QString& clientPath,
                       QString& volumePath)
{
    std::array<char, 48> serverName{};
    std::array<char, 48> volumeName{};
    std::array<char, 255> dirPath{};
    nw::NWCONN_HANDLE conn = 0;
    const QByteArray path = nw::toClientText(clientPath);
    const nw::NWCCODE rc =
        form_.client().NWParsePath(path.constData(), serverName, conn, volumeName, dirPath);
    form_.serverConnection = conn;
    if (rc != nw::kSuccess) {
        cursor.restore();
        form_.Command9->setVisible(false);
        Prompts& prompts = form_.services().prompts;
        prompts.beep();
        prompts.messageBox(QStringLiteral("Error! Could not parse the path for file ") + fileName +
                               QLatin1Char('.'),
                           QStringLiteral("Quorvex"), MsgIcon::Exclamation, MsgButtons::Ok,
                           Answer::Ok);
        return false;
    }
    volumePath = nw::fromClientText(volumeName) + QLatin1Char(':') + nw::fromClientText(dirPath);
    return true;
}

ScanEngine::LoopEnd ScanEngine::runClientLoop(WaitCursor& cursor, const QString& volumePath,
                                              qint64 deadline)
{
    QPointer<Form1> window(&form_);
    QPointer<QListWidget> list(form_.List1);
    // The duplicate check moves the current line for every entry; scrolling to
    // it would lay the whole list out each time.
    const bool autoScroll = list->hasAutoScroll();
    list->setAutoScroll(false);
    const auto restoreScroll = qScopeGuard([&] {
        if (list)
            list->setAutoScroll(autoScroll);
    });
    // Painting the window at every turn would soon cost more than the scan
    // itself: while the loop runs it is painted at most every kPaintIntervalMs
    // (input, Stop among it, is served at every turn).
    form_.setUpdatesEnabled(false);
    const auto restorePainting = qScopeGuard([&] {
        if (window)
            window->setUpdatesEnabled(true);
    });
    QElapsedTimer sincePainted; // not started: the first turn paints
    nw::NetWareClient& client = form_.client();
    const Clock& clock = form_.services().clock;
    const QByteArray path = nw::toClientText(volumePath);
    std::int16_t iteration = 0;
    nw::CONN_USING_FILE_SUMMARY summary;
    nw::CONNS_USING_FILE batch;

    for (;;) {
        // One turn, so that Stop (and whatever else waits) is served.
        const bool paint = !sincePainted.isValid() || sincePainted.elapsed() >= kPaintIntervalMs;
        if (paint) {
            form_.setUpdatesEnabled(true);
            sincePainted.start();
        }
        QCoreApplication::processEvents();
        if (!window)
            return LoopEnd::WindowGone;
        if (paint)
            form_.setUpdatesEnabled(false);

        if (TerminationSignals::requested())
            form_.stopRequested = true;
        if (clock.monotonicMs() > deadline || form_.stopRequested) {
            cursor.restore();
            form_.Text2->setText(form_.stopRequested ? QStringLiteral("Scan terminated.")
                                                     : QStringLiteral("Scan timed out."));
            form_.stopRequested = false;
            form_.Command9->setVisible(false);
            return LoopEnd::Ended;
        }

        batch.connCount = 0;
        const nw::NWCCODE rc = client.NWScanConnectionsUsingFile(
            form_.serverConnection, 0, path.constData(), iteration, summary, batch);
        if (rc == nw::kSuccess) {
            const int count = std::min<int>(batch.connCount, nw::kMaxConnsPerBatch);
            for (int i = 0; i < count; ++i) {
                // A batch's details take many calls; a termination signal stops
                // the scan as Stop does, without waiting for the batch's end.
                if (TerminationSignals::requested()) {
                    form_.stopRequested = true;
                    break;
                }
                details_.addEntry(batch.connInfo[i]);
            }
            details_.flush();
            continue;
        }
        if (rc == nw::kNoMoreEntries)
            return LoopEnd::Complete;

        cursor.restore();
        form_.Command9->setVisible(false);
        if (!isKnownScanError(rc))
            form_.Text2->clear();
        form_.services().prompts.beep();
        form_.Text2->setText(scanErrorText(rc) + serverProblemLine());
        return LoopEnd::Ended;
    }
}

void ScanEngine::complete(WaitCursor& cursor, const QString& longPath)
{
    QPointer<Form1> window(&form_);
    setHorizontalExtent();
    form_.Command9->setVisible(false);

    // History: once per path, case ignored.
    QComboBox* history = form_.Combo1;
    const QString lower = longPath.toLower();
    bool known = false;
    for (int i = 0; i < history->count() && !known; ++i)
        known = history->itemText(i).toLower() == lower;
    if (!known)
        history->addItem(longPath);

    form_.Text2->clear();
    // The log and auto-clear may ask questions, and a box lets events run.
    form_.watch().logActivity();
    if (!window)
        return;
    form_.watch().autoClear();
    if (!window)
        return;
    cursor.restore();

    const int users = details_.added();
    const QList<QWidget*> resultControls{form_.Command4,  form_.Command5, form_.Label7,
                                         form_.Text1,     form_.Command6, form_.Command11,
                                         form_.Command14, form_.Command15};
    if (users > 0) {
        form_.watch().notifyFileInUse();
        if (!window)
            return;
        form_.Label5->setText(QString::number(users) + QStringLiteral(" user(s)"));
        for (QWidget* w : resultControls)
            w->setVisible(true);
        form_.Text1->clear();
        form_.List1->setToolTip(kUserListTip);
    } else {
        form_.watch().notifyFileFree();
        if (!window)
            return;
        form_.Text2->clear();
        form_.Label5->setText(QStringLiteral("No users"));
        for (QWidget* w : resultControls)
            w->setVisible(false);
        form_.List1->setToolTip(QString());
    }

    // The rescan controls come back after every completed scan.
    form_.Check1->setVisible(true);
    form_.Text3->setVisible(true);
    form_.Timer1->setEnabled(form_.Check1->isChecked());
    form_.watch().rearmRescan();

    // A log that could not be written is said last, so nothing above clears it.
    const QString logProblem = form_.watch().takeLogProblem();
    if (!logProblem.isEmpty()) {
        form_.services().prompts.beep();
        form_.Text2->setText(logProblem);
    }
}

QString ScanEngine::serverProblemLine() const
{
    const QString drive = form_.Drive1->drive();
    const QString problem =
        drive.isEmpty() ? QString() : form_.services().drives.serverProblem(drive.front());
    return serverProblemText(problem);
}

void ScanEngine::setHorizontalExtent()
{
    const QFontMetrics metrics(form_.font());
    int widest = 0;
    for (int i = 0; i < form_.List1->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(form_.List1->item(i)->text()));
    quorvex::setHorizontalExtent(*form_.List1, widest + kExtentMarginPx);
}

} // namespace quorvex
