// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/connection_details.h"

#include "actions/user_selection.h"
#include "app/form1.h"
#include "netware/netware_text.h"
#include "scan/directory_rights.h"
#include "scan/result_text.h"

#include <QListWidget>
#include <QSignalBlocker>

#include <array>

namespace quorvex {

ConnectionDetails::ConnectionDetails(Form1& form) : form_(form) {}

void ConnectionDetails::begin(const QString& fileName, const QString& volumePath)
{
    fileName_ = fileName;
    volumePath_ = volumePath;
    timeSeparator_ = systemTimeSeparator();
    added_ = 0;
    firstRowWithPrefix_.clear();
    listed_.clear();
    indexedRows_ = 0;
    currentPending_ = false;
    pendingCurrent_ = pendingClicked_ = -1;
}

void ConnectionDetails::addEntry(const nw::CONN_USING_FILE& entry)
{
    nw::NetWareClient& client = form_.client();
    const Settings& options = form_.settings;
    const nw::NWCONN_HANDLE conn = form_.serverConnection;
    const std::int16_t connNo = std::int16_t(entry.connNumber);

    std::array<char, 255> objName{};
    std::uint16_t objType = 0;
    std::uint32_t objId = 0;
    std::array<std::uint8_t, 7> loginTime{};
    if (client.NWGetConnectionInformation(conn, entry.connNumber, objName, objType, objId,
                                          loginTime) != nw::kSuccess)
        return;
    const QString name = nw::fromClientText(objName).toUpper();
    form_.lastScan.lastLoginName = name;

    if (added_ > 0 && isDuplicate(name, connNo))
        return;

    ConnectionInfo record;
    record.fileName = fileName_;
    record.connNo = connNo;
    if (options.TaskNo)
        record.taskNo = std::int16_t(entry.taskNumber);
    if (options.Opened)
        record.opened = entry.lockType;
    if (options.FileRights)
        record.fileRights = entry.accessControl;
    if (options.Locked)
        record.locked = entry.lockFlag;
    if (options.Login)
        record.login = loginText(loginTime, timeSeparator_);
    if (options.Address) {
        // The text is formed from the record whatever the call answered; a
        // zeroed record stands for an address that could not be read.
        nw::NWINET_ADDR address;
        client.NWGetInetAddr(conn, entry.connNumber, address);
        record.address = addressText(address);
    }
    if (options.DirRights) {
        record.dirRights = GetDirectoryRights(client, volumePath_, name);
        if (record.dirRights.isEmpty())
            record.dirRights = QStringLiteral("NA");
    }

    form_.connections.append(record);
    form_.List1->addItem(name);
    ++added_;
    syncIndex();
}

bool ConnectionDetails::isDuplicate(const QString& name, std::int16_t connNo)
{
    syncIndex();
    QListWidget* list = form_.List1;
    // Every line begins with the empty text.
    const int current = name.isEmpty() ? (list->count() > 0 ? 0 : -1)
                                       : firstRowWithPrefix_.value(name.toLower(), -1);
    currentPending_ = true;
    pendingCurrent_ = current;
    if (current < 0)
        return false;
    pendingClicked_ = current;

    // Every line that equals the name also begins with it, so it lies at or
    // below the current line: the pair index answers "this line or a later one".
    if (current < form_.connections.size() && form_.connections[current].connNo == connNo)
        return true;
    return listed_.contains({name, connNo});
}

void ConnectionDetails::flush()
{
    if (!currentPending_)
        return;
    QListWidget* list = form_.List1;
    // As if each check had moved the line in turn: the pane shows the last line
    // made current, and the list is left where the last check put it. A list
    // told that its current line moved lays every line out again to repaint the
    // two lines, which would make the scan's cost grow with the square of the
    // list; the scan repaints the list once when its loop ends.
    const QSignalBlocker quiet(list->selectionModel());
    if (pendingClicked_ >= 0) {
        list->setCurrentRow(pendingClicked_, QItemSelectionModel::NoUpdate);
        form_.selection().List1_Click();
    }
    list->setCurrentRow(pendingCurrent_, QItemSelectionModel::NoUpdate);
    currentPending_ = false;
    pendingCurrent_ = pendingClicked_ = -1;
}

void ConnectionDetails::remember(int row, const QString& line, std::int16_t connNo)
{
    const QString lower = line.toLower();
    // Rows only grow, so the first row to claim a prefix keeps it.
    for (qsizetype n = 1; n <= lower.size(); ++n) {
        const QString prefix = lower.left(n);
        if (!firstRowWithPrefix_.contains(prefix))
            firstRowWithPrefix_.insert(prefix, row);
    }
    listed_.insert({line, connNo});
}

void ConnectionDetails::syncIndex()
{
    // The index follows the rows this object added; should anything else have
    // changed the list meanwhile, rebuild it from what the list now holds.
    QListWidget* list = form_.List1;
    if (list->count() < indexedRows_) {
        firstRowWithPrefix_.clear();
        listed_.clear();
        indexedRows_ = 0;
    }
    for (; indexedRows_ < list->count(); ++indexedRows_) {
        const std::int16_t connNo = indexedRows_ < form_.connections.size()
                                        ? form_.connections[indexedRows_].connNo
                                        : std::int16_t(0);
        remember(indexedRows_, list->item(indexedRows_)->text(), connNo);
    }
}

} // namespace quorvex
