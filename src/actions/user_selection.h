// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actions/user_details.h"

#include <QListWidget>
#include <QObject>

#include <cstdint>

namespace quorvex {

class Form1;

// Selecting users in the user list and showing or copying their details.
// Each click on a line toggles its selection (the list is multi-select); the
// current line is the one last clicked, or made current by code.
class UserSelection : public QObject
{
    Q_OBJECT
public:
    explicit UserSelection(Form1& form);

    // Details of the current line into the message pane; Send, Clear and User
    // shown while at least one line is selected.
    void List1_Click();
    // "All": selects every line.
    void Command14_Click();
    // "None": de-selects every line.
    void Command15_Click();
    // "User": the details of the current line, without tabs, onto the clipboard.
    void Command16_Click();

    // Makes a line current without changing any line's selection and acts as a
    // click on it (what the scan's duplicate check, the find box and the lock
    // action need).
    void setCurrentLine(int line);

    // "user NAME" for at most one selected line, "N users" for more.
    QString selectionPhrase() const;
    // "user " + the line text.
    QString lineTarget(int line) const;
    // Visits the selected lines top to bottom with the connection number of each
    // line's record (visit(int line, std::int16_t connNo)); ends after the one
    // line when exactly one is selected. A line without a record is passed over.
    template <typename Visit> void forEachSelected(Visit visit) const;

private:
    QListWidget& list() const;
    QString currentDetails(DetailForm form) const;
    int selectedCount() const;
    bool recordConnNo(int line, std::int16_t& connNo) const;
    void showUserButtons(bool show);

    Form1& form_;
};

template <typename Visit> void UserSelection::forEachSelected(Visit visit) const
{
    const int selected = selectedCount();
    QListWidget& lines = list();
    for (int i = 0; i < lines.count(); ++i) {
        if (!lines.item(i)->isSelected())
            continue;
        std::int16_t connNo = 0;
        if (recordConnNo(i, connNo))
            visit(i, connNo);
        if (selected == 1)
            break;
    }
}

} // namespace quorvex
