// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quorvex {

struct Services;
class LinkLabel;

// The About window: the program's name and version, what it does, and links to
// the support address, the web page and the FAQ beside the program.
class Form3 : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kSupportAddress = QStringLiteral("support@quorvex.example");
    static inline const QString kWebPage = QStringLiteral("https://www.quorvex.example/");
    static inline const QString kWebSiteName = QStringLiteral("www.quorvex.example");

    explicit Form3(Services& services, QWidget* parent = nullptr);

    // Name and version, an empty line, the description.
    static QString aboutText();
    // The FAQ in the program's directory.
    QString faqPath() const;

    void Label2_Click();   // e-mail
    void Label3_Click();   // web page
    void Label4_Click();   // FAQ
    void Command1_Click(); // "&OK"

    QPlainTextEdit* Text1 = nullptr; // name, version and description
    QLabel* Label1 = nullptr;        // hint: what the last link clicked does
    LinkLabel* Label2 = nullptr;     // "Email"
    LinkLabel* Label3 = nullptr;     // the web site's name
    LinkLabel* Label4 = nullptr;     // "Open FAQ file"
    QPushButton* Command1 = nullptr; // "&OK"

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void resetLinkColours();

    Services& services_;
};

} // namespace quorvex
