#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Clearing the connections of the selected users.
class ClearConnectionAction : public QObject
{
    Q_OBJECT
public:
    explicit ClearConnectionAction(Form1& form);

    void Command13_Click();

private:
    Form1& form_;
};

} // namespace quorvex
