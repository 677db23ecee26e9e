// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/directory_box.h"

#include <QDir>

#include "scripted_client.h"
#include "test_services.h"

#include "app/form1.h"
#include "scan/connection_info.h"

#include <QListWidget>
#include <QTest>

#include <initializer_list>
#include <memory>

namespace quorvex {

// A main window on fake services and a scripted NetWare client, with a user list
// filled directly, as a finished scan would leave it.
struct UserListFixture
{
    struct User
    {
        QString name;
        ConnectionInfo record;
    };

    // The window talks to the scripted client unless given another one.
    explicit UserListFixture(nw::NetWareClient* other = nullptr)
        : form(std::make_unique<Form1>(services, other ? *other : client))
    {
    }

    TestServices fakes;
    Services services = fakes.services();
    ScriptedClient client;
    std::unique_ptr<Form1> form;

    void fill(std::initializer_list<User> users)
    {
        form->List1->clear();
        form->connections.clear();
        for (const User& user : users) {
            form->List1->addItem(user.name);
            form->connections.append(user.record);
        }
    }

    // Shows a directory of drive F: in the directory box, as the file browser
    // would; the directory is made on a host folder that F: maps to.
    bool showDirectory(const QString& dosDirectory)
    {
        QString inside = dosDirectory.mid(3);
        inside.replace(QLatin1Char('\\'), QLatin1Char('/'));
        QDir().mkpath(fakes.path(QStringLiteral("drive_f/") + inside));
        fakes.mapDrive(QLatin1Char('F'),
                       QStringLiteral("fixed:") + fakes.path(QStringLiteral("drive_f")));
        // A change of directory wipes the scan view; the user list a test built
        // is put back, as if the scan had been made in that directory.
        QStringList lines;
        for (int i = 0; i < form->List1->count(); ++i)
            lines << form->List1->item(i)->text();
        const QList<ConnectionInfo> records = form->connections;
        const bool shown = form->Dir1->setPath(dosDirectory);
        form->List1->clear();
        form->List1->addItems(lines);
        form->connections = records;
        return shown;
    }

    // Users named after the list with connection numbers 1, 2, 3...
    void fillNames(const QStringList& names)
    {
        form->List1->clear();
        form->connections.clear();
        for (int i = 0; i < names.size(); ++i) {
            form->List1->addItem(names.at(i));
            ConnectionInfo record;
            record.fileName = QStringLiteral("Q1.XLS");
            record.connNo = static_cast<std::int16_t>(i + 1);
            form->connections.append(record);
        }
    }

    bool show()
    {
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    // A click on a line as the user makes it.
    void clickLine(int line)
    {
        QListWidget* list = form->List1;
        const QRect rect = list->visualItemRect(list->item(line));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void select(std::initializer_list<int> lines)
    {
        for (int line : lines)
            form->List1->item(line)->setSelected(true);
    }

    QList<int> selectedLines() const
    {
        QList<int> lines;
        for (int i = 0; i < form->List1->count(); ++i) {
            if (form->List1->item(i)->isSelected())
                lines << i;
        }
        return lines;
    }
};

} // namespace quorvex
