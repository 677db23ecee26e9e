#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// The keys the main window sees before its controls, and the find box.
class KeysAndFind : public QObject
{
    Q_OBJECT
public:
    explicit KeysAndFind(Form1& form);

    void Text1_Change();
    void Command6_Click();

private:
    Form1& form_;
};

} // namespace quorvex
