#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Selecting users in the user list and showing or copying their details.
class UserSelection : public QObject
{
    Q_OBJECT
public:
    explicit UserSelection(Form1& form);

    void List1_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();

    // "user NAME" for at most one selected line, "N users" for more.
    QString selectionPhrase() const;
    // "user " + the line text.
    QString lineTarget(int line) const;
    // Visits the selected lines top to bottom with the connection number of each
    // line record; ends after the one line when exactly one is selected.
    template <typename Visit> void forEachSelected(Visit visit) const;

private:
    Form1& form_;
};

template <typename Visit> void UserSelection::forEachSelected(Visit) const {}

} // namespace quorvex
