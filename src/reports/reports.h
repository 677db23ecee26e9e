#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Printing and copying the scan report.
class Reports : public QObject
{
    Q_OBJECT
public:
    explicit Reports(Form1& form);

    void Command4_Click();
    void Command5_Click();

private:
    Form1& form_;
};

} // namespace quorvex
