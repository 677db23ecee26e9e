// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lifecycle.h"

#include "app/command_line.h"
#include "app/command_line_jobs.h"
#include "app/form1.h"
#include "app/message_pane.h"
#include "app/settings_keys.h"
#include "app/tray_icon.h"
#include "app/window_behaviour.h"
#include "app/window_geometry.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "files/file_browser.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/standard_error.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace quorvex {

namespace {

const QString kWelcome = QStringLiteral("Welcome to Quorvex!\r\n\r\nPress the F1 key for help.\r\n"
                                        "Press the F5 key to refresh files.");

QStringList itemsOf(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    return items;
}

} // namespace

Lifecycle::Lifecycle(Form1& form) : form_(form)
{
    window_ = std::make_unique<WindowBehaviour>(form_, [this] { unload(); });
    form_.installEventFilter(this);
    connect(form_.Command2, &QPushButton::clicked, this, &Lifecycle::unload);
}

Lifecycle::~Lifecycle() = default;

bool Lifecycle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &form_ && event->type() == QEvent::Close && !unloaded_)
        Form_Unload();
    return QObject::eventFilter(watched, event);
}

bool Lifecycle::Form_Load(const QString& commandLine)
{
    Services& services = form_.services();
    char reserved1 = 0;
    char reserved2 = 0;
    if (form_.client().NWCallsInit(&reserved1, &reserved2) != 0) {
        services.prompts.beep();
        services.prompts.messageBox(QStringLiteral("Error! Unable to initialize network."),
                                    QStringLiteral("Quorvex"), MsgIcon::Exclamation, MsgButtons::Ok,
                                    Answer::Ok);
        exitStatus_ = 2;
        unloaded_ = true; // nothing is written on the way out
        return false;
    }

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    window_->layout().RecordControlLayout(form_);

    const SettingsStore& store = services.settings;
    float size = 0;
    if (readInto(store, keys::Height, size)) {
        setWindowHeightTwips(form_, size);
        storedHeight_ = {size, form_.height()};
    }
    if (readInto(store, keys::Width, size)) {
        setWindowWidthTwips(form_, size);
        storedWidth_ = {size, form_.width()};
    }
    window_->limits().LimitWindowSize(form_, 8775, 6285, screenWidthTwips(form_),
                                      screenHeightTwips(form_));
    form_.setWindowTitle(QStringLiteral("Quorvex"));

    restoreBrowser();
    readHistories();
    readOptions();

    window_->tray().add();
    QGuiApplication::restoreOverrideCursor();

    // Without a display the store has said so on standard error already.
    if (store.loadStatus() == SettingsStore::LoadStatus::Unreadable && !services.headless) {
        services.prompts.messageBox(
            QStringLiteral("Unable to read the settings file ") + store.loadError() +
                QStringLiteral(". Quorvex starts with its defaults and leaves the file as it is."),
            QStringLiteral("Quorvex"), MsgIcon::Exclamation, MsgButtons::Ok, Answer::Ok);
    }

    const QString argument = commandLine.trimmed();
    if (parseCommandLine(argument).kind == CommandLineJobKind::None)
        form_.Text2->setText(kWelcome);
    else
        runCommandLineJob(argument);
    return !unloaded_;
}

void Lifecycle::restoreBrowser()
{
    const SettingsStore& store = form_.services().settings;
    const QString path = readText(store, keys::Path);
    readInto(store, keys::HidFiles, form_.settings.HidFiles);
    // A drive that is gone, or the default "\" that names none, ends in C:.
    if (form_.Drive1->setDrive(path.left(1)) && form_.Dir1->setPath(path)) {
        form_.Combo2->setEditText(readText(store, keys::Pattern));
        return;
    }
    form_.Drive1->setDrive(QStringLiteral("c:"));
    form_.Dir1->setPath(QStringLiteral("\\"));
    form_.Combo2->setEditText(QStringLiteral("*.*"));
}

void Lifecycle::readHistories()
{
    const SettingsStore& store = form_.services().settings;
    {
        const QSignalBlocker blocker(form_.Combo1);
        form_.Combo1->addItems(readHistory(store, keys::PathHistoryPrefix));
        form_.Combo1->setCurrentIndex(-1);
    }
    form_.PathHistoryLast = form_.Combo1->count() - 1;
    {
        // The pattern list must not replace the pattern just restored.
        const QSignalBlocker blocker(form_.Combo2);
        const QString pattern = form_.Combo2->currentText();
        form_.Combo2->addItems(readHistory(store, keys::PatternHistoryPrefix));
        form_.Combo2->setEditText(pattern);
    }
    form_.PatternHistoryLast = form_.Combo2->count() - 1;
}

void Lifecycle::readOptions()
{
    const SettingsStore& store = form_.services().settings;
    Settings& s = form_.settings;
    readInto(store, keys::Seconds, s.Seconds);
    readInto(store, keys::ConnNo, s.ConnNo);
    readInto(store, keys::TaskNo, s.TaskNo);
    readInto(store, keys::Opened, s.Opened);
    readInto(store, keys::FileRights, s.FileRights);
    readInto(store, keys::DirRights, s.DirRights);
    readInto(store, keys::Locked, s.Locked);
    readInto(store, keys::Login, s.Login);
    readInto(store, keys::Address, s.Address);
    form_.Text3->setText(QString::number(s.Seconds));
    readInto(store, keys::FileYes, s.FileYes);
    readInto(store, keys::FileNo, s.FileNo);
    readInto(store, keys::ViaBeep, s.ViaBeep);
    readInto(store, keys::ViaMsg, s.ViaMsg);
    readInto(store, keys::LogFile, s.LogFile);
    readInto(store, keys::Overwrite, s.Overwrite);
    readInto(store, keys::FDrive, s.FDrive);
    readInto(store, keys::FDir, s.FDir);
    readInto(store, keys::FFile, s.FFile);
}

void Lifecycle::runCommandLineJob(const QString& commandLine)
{
    CommandLineJobs(form_).run(commandLine);
}

void Lifecycle::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    window_->tray().remove();

    SettingsStore& store = form_.services().settings;
    write(store, keys::Path, form_.Dir1->path());
    write(store, keys::Pattern, form_.Combo2->currentText());
    writeHistory(store, keys::PathHistoryPrefix, itemsOf(*form_.Combo1), form_.PathHistoryLast);
    writeHistory(store, keys::PatternHistoryPrefix, itemsOf(*form_.Combo2),
                 form_.PatternHistoryLast);
    // The seconds box's text as it stands, even empty: the next run reads 0.
    write(store, keys::Seconds, form_.Text3->text());
    writeOptions();
    // A window hidden in the tray has no size worth keeping.
    if (!form_.isMinimized()) {
        // A window's twips follow its font, so a pixel is seldom a whole number
        // of them: a size the user left alone goes back as it was read.
        const bool sameHeight = storedHeight_.pixels == form_.height();
        const bool sameWidth = storedWidth_.pixels == form_.width();
        write(store, keys::Height,
              sameHeight ? storedHeight_.twips : static_cast<float>(windowHeightTwips(form_)));
        write(store, keys::Width,
              sameWidth ? storedWidth_.twips : static_cast<float>(windowWidthTwips(form_)));
    }
    writeSettingsFile();

    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &form_)
            w->close();
    }
    emit programEnded(exitStatus_);
}

void Lifecycle::writeSettingsFile()
{
    SettingsStore& store = form_.services().settings;
    // A file refused at start was reported then; it is kept as it is.
    if (store.sync() || store.writeError().isEmpty())
        return;
    const QString text = QStringLiteral("Unable to write the settings file ") + store.writeError() +
                         QStringLiteral(". The settings of this run are lost; the file was "
                                        "left as it was.");
    if (form_.services().headless || terminating_) {
        printToStandardError(text);
    } else {
        Prompts& prompts = form_.services().prompts;
        prompts.beep();
        prompts.messageBox(text, QStringLiteral("Quorvex"), MsgIcon::Exclamation, MsgButtons::Ok,
                           Answer::Ok);
    }
    if (exitStatus_ == 0)
        exitStatus_ = 1;
}

void Lifecycle::writeOptions()
{
    SettingsStore& store = form_.services().settings;
    const Settings& s = form_.settings;
    write(store, keys::ConnNo, s.ConnNo);
    write(store, keys::TaskNo, s.TaskNo);
    write(store, keys::Opened, s.Opened);
    write(store, keys::FileRights, s.FileRights);
    write(store, keys::DirRights, s.DirRights);
    write(store, keys::Locked, s.Locked);
    write(store, keys::Login, s.Login);
    write(store, keys::Address, s.Address);
    write(store, keys::HidFiles, s.HidFiles);
    write(store, keys::FileYes, s.FileYes);
    write(store, keys::FileNo, s.FileNo);
    write(store, keys::ViaBeep, s.ViaBeep);
    write(store, keys::ViaMsg, s.ViaMsg);
    write(store, keys::LogFile, s.LogFile);
    write(store, keys::Overwrite, s.Overwrite);
    write(store, keys::FDrive, s.FDrive);
    write(store, keys::FDir, s.FDir);
    write(store, keys::FFile, s.FFile);
}

void Lifecycle::unload()
{
    Form_Unload();
    form_.close();
}

void Lifecycle::terminate()
{
    terminating_ = true;
    form_.stopRequested = true; // a scan that waits in the event loop ends at its next turn
    unload();
}

} // namespace quorvex
