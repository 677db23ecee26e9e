// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/user_selection.h"

#include "actions/user_details.h"
#include "app/form1.h"
#include "app/message_pane.h"
#include "platform/clipboard.h"
#include "platform/services.h"

#include <QItemSelectionModel>
#include <QPushButton>

namespace quorvex {

UserSelection::UserSelection(Form1& form) : form_(form)
{
    // itemClicked comes with every click on a line, also on the line that is
    // already current, after the click has toggled the line's selection.
    connect(form_.List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(form_.Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
    connect(form_.Command15, &QPushButton::clicked, this, [this] { Command15_Click(); });
    connect(form_.Command16, &QPushButton::clicked, this, [this] { Command16_Click(); });
}

QListWidget& UserSelection::list() const
{
    return *form_.List1;
}

QString UserSelection::currentDetails(DetailForm form) const
{
    const int line = list().currentRow();
    const QListWidgetItem* item = list().item(line);
    const ConnectionInfo* record =
        line >= 0 && line < form_.connections.size() ? &form_.connections.at(line) : nullptr;
    return userDetailText(record, item ? item->text() : QString(), form_.settings, form);
}

void UserSelection::List1_Click()
{
    form_.Text2->setText(currentDetails(DetailForm::Pane));
    // The scan's duplicate check clicks for every entry of the batch: asking the
    // selection, not every line, keeps a scan of a long list linear.
    showUserButtons(list().selectionModel()->hasSelection());
}

void UserSelection::Command14_Click()
{
    for (int i = 0; i < list().count(); ++i) {
        if (!list().item(i)->isSelected())
            list().item(i)->setSelected(true);
    }
    form_.Text2->setText(QString::number(list().count()) + QStringLiteral(" users selected."));
    showUserButtons(true);
}

void UserSelection::Command15_Click()
{
    for (int i = 0; i < list().count(); ++i) {
        if (list().item(i)->isSelected())
            list().item(i)->setSelected(false);
    }
    form_.Text2->setText(QString::number(list().count()) + QStringLiteral(" users de-selected."));
    showUserButtons(false);
}

void UserSelection::Command16_Click()
{
    const QString text = currentDetails(DetailForm::Clipboard);
    form_.services().clipboard.setText(text);
    // The text keeps its CR LF pairs, so each line break counts two characters.
    form_.Text2->setText(QString::number(text.size()) +
                         QStringLiteral(" bytes copied to the clipboard."));
}

void UserSelection::setCurrentLine(int line)
{
    list().setCurrentRow(line, QItemSelectionModel::NoUpdate);
    List1_Click();
}

QString UserSelection::selectionPhrase() const
{
    const int selected = selectedCount();
    if (selected >= 2)
        return QString::number(selected) + QStringLiteral(" users");
    for (int i = 0; i < list().count(); ++i) {
        if (list().item(i)->isSelected())
            return lineTarget(i);
    }
    return QStringLiteral("user ");
}

QString UserSelection::lineTarget(int line) const
{
    const QListWidgetItem* item = list().item(line);
    return QStringLiteral("user ") + (item ? item->text() : QString());
}

int UserSelection::selectedCount() const
{
    // The selection keeps ranges of lines; counting them costs the selected
    // lines, not the list.
    return int(list().selectionModel()->selectedRows().size());
}

bool UserSelection::recordConnNo(int line, std::int16_t& connNo) const
{
    if (line < 0 || line >= form_.connections.size())
        return false;
    connNo = form_.connections.at(line).connNo;
    return true;
}

void UserSelection::showUserButtons(bool show)
{
    form_.Command12->setVisible(show);
    form_.Command13->setVisible(show);
    form_.Command16->setVisible(show);
}

} // namespace quorvex
