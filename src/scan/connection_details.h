// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QHash>
#include <QSet>
#include <QString>

namespace quorvex {

class Form1;

// Gathers what the options ask for about each connection a scan finds, and adds
// one ConnectionInfo record and one user-list line per connection. One object
// lives for the whole program; begin() starts each scan's list afresh.
class ConnectionDetails
{
public:
    explicit ConnectionDetails(Form1& form);

    // Before the first entry of a scan: the file's bare name and volume path.
    void begin(const QString& fileName, const QString& volumePath);

    // One batch entry: adds a record and a line unless the connection's
    // information cannot be read or the connection is already listed.
    void addEntry(const nw::CONN_USING_FILE& entry);

    // Tells the list the current line that the batch's duplicate checks left
    // (and shows the details of the last line they made current). The scan
    // calls it at the end of every batch, before events run again.
    void flush();

    // Records added since begin().
    int added() const { return added_; }

private:
    // True when the connection is already listed. Makes the first line that
    // begins with the name (case ignored) the list's current line, as the list
    // box's prefix search does, which shows that user's details.
    bool isDuplicate(const QString& name, std::int16_t connNo);
    void remember(int row, const QString& line, std::int16_t connNo);
    void syncIndex();

    Form1& form_;
    QString fileName_;
    QString volumePath_;
    QString timeSeparator_;
    int added_ = 0;

    // Indexes over the user list, so that each check costs the same however long
    // the list grows: the first row whose text begins with a (lower-case)
    // prefix, and the (line, connection) pairs listed.
    QHash<QString, int> firstRowWithPrefix_;
    QSet<QPair<QString, std::int16_t>> listed_;
    int indexedRows_ = 0;

    // Moving the list's current line lays the whole list out again once lines
    // were added, so within a batch the checks only note where it goes.
    bool currentPending_ = false;
    int pendingCurrent_ = -1; // the line the last check made current, -1 none
    int pendingClicked_ = -1; // the last line a check made current, -1 none
};

} // namespace quorvex
