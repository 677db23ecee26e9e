#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// The Options, Info and About buttons: each opens its window modally with the rescan paused.
class DialogButtons : public QObject
{
    Q_OBJECT
public:
    explicit DialogButtons(Form1& form);

    void Command17_Click();
    void Command18_Click();
    void Command7_Click();

private:
    Form1& form_;
};

} // namespace quorvex
