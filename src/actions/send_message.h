#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Sending a broadcast message to the selected users.
class SendMessage : public QObject
{
    Q_OBJECT
public:
    explicit SendMessage(Form1& form);

    void Command12_Click();

private:
    Form1& form_;
};

} // namespace quorvex
