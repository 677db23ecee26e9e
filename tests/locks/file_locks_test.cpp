// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/user_list_fixture.h"

#include "app/message_pane.h"
#include "files/directory_box.h"
#include "locks/file_locks.h"

#include <QPushButton>
#include <QTest>

using namespace quorvex;

class FileLocksTest : public QObject
{
    Q_OBJECT
private slots:
    void noHolderAsksAboutTheLockSet();
    void lockSetNoChangesNothing();
    void lockSetCodes_data();
    void lockSetCodes();
    void firstHolderIsOffered();
    void holderNoKeepsOnlyTheNewCurrentLine();
    void clearsTheFileSelectedNow();
    void fileLockCodes_data();
    void fileLockCodes();
    void parseFailure();
    void handleFailure();

private:
    static void fillHolders(UserListFixture& f, QList<int> lockFlags);
    static void browse(UserListFixture& f, const QString& dir, const QStringList& files,
                       int selected);
};

void FileLocksTest::fillHolders(UserListFixture& f, QList<int> lockFlags)
{
    QStringList names;
    for (int i = 0; i < lockFlags.size(); ++i)
        names << QStringLiteral("USER%1").arg(i + 1);
    f.fillNames(names);
    for (int i = 0; i < lockFlags.size(); ++i)
        f.form->connections[i].locked = static_cast<std::uint8_t>(lockFlags[i]);
}

void FileLocksTest::browse(UserListFixture& f, const QString& dir, const QStringList& files,
                           int selected)
{
    QVERIFY(f.showDirectory(dir));
    f.form->List3->clear();
    f.form->List3->addItems(files);
    f.form->List3->setCurrentRow(selected);
}

void FileLocksTest::noHolderAsksAboutTheLockSet()
{
    UserListFixture f;
    // A scan made with "Locked" off leaves every flag 0, whoever holds locks.
    fillHolders(f, {0, 0, 0});
    f.form->serverConnection = 12;
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->Command11->show();
    QTest::mouseClick(f.form->Command11, Qt::LeftButton);

    QCOMPARE(f.fakes.prompts.transcript(),
             QStringList{"messageBox[Question,YesNo,No] Quorvex: No user has the file locked. "
                         "Do you want to clear locks for all other files?"});
    QCOMPARE(f.client.calls, QStringList{"NWClearFileLockSet conn=12"});
    QCOMPARE(f.form->Text2->text(), QStringLiteral("All file locks have been cleared."));

    UserListFixture empty;
    empty.fakes.prompts.queueAnswer(Answer::Yes);
    empty.form->locks().Command11_Click();
    QCOMPARE(empty.client.callNames(), QStringList{"NWClearFileLockSet"});
}

void FileLocksTest::lockSetNoChangesNothing()
{
    UserListFixture f;
    fillHolders(f, {0});
    f.form->Text2->setText(QStringLiteral("unchanged"));
    f.fakes.prompts.queueAnswer(Answer::No);
    f.form->locks().Command11_Click();
    QVERIFY(f.client.calls.isEmpty());
    QCOMPARE(f.form->Text2->text(), QStringLiteral("unchanged"));
}

void FileLocksTest::lockSetCodes_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("0x8801") << 0x8801u << "Unable to clear file locks - invalid connection.";
    QTest::newRow("0x890A") << 0x890Au << "Unable to clear file locks - invalid NLM connection.";
    // The lock-set call knows only the two connection codes.
    QTest::newRow("0x8996") << 0x8996u << "Unable to clear file locks - unknown error.";
    QTest::newRow("0x89FF") << 0x89FFu << "Unable to clear file locks - unknown error.";
}

void FileLocksTest::lockSetCodes()
{
    QFETCH(uint, code);
    QFETCH(QString, text);
    UserListFixture f;
    fillHolders(f, {0});
    f.client.codes[QStringLiteral("NWClearFileLockSet")] = code;
    f.fakes.prompts.queueAnswer(Answer::Yes);
    f.form->locks().Command11_Click();
    QCOMPARE(f.form->Text2->text(), text);
    QCOMPARE(f.fakes.prompts.beepCount(), 0);
}

void FileLocksTest::firstHolderIsOffered()
{
    UserListFixture f;
    fillHolders(f, {0, 1, 0, 1});
    browse(f, QStringLiteral("F:\\REPORTS"), {"Q1.XLS"}, 0);
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->locks().Command11_Click();

    const auto boxes = f.fakes.prompts.calls(ScriptedPrompts::Kind::MessageBox);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text,
             QStringLiteral("User USER2 has file locked. Do you want to clear this lock?"));
    QCOMPARE(nameOf(boxes[0].defaultButton), nameOf(Answer::Yes));
    QCOMPARE(nameOf(boxes[0].icon), nameOf(MsgIcon::Question));
    QCOMPARE(f.form->List1->currentRow(), 1);
    QCOMPARE(f.form->Text2->text(), QStringLiteral("File lock has been cleared."));
}

void FileLocksTest::holderNoKeepsOnlyTheNewCurrentLine()
{
    UserListFixture f;
    fillHolders(f, {0, 0, 3});
    f.select({0});
    f.fakes.prompts.queueAnswer(Answer::No);

    f.form->locks().Command11_Click();

    QCOMPARE(f.form->List1->currentRow(), 2);
    QCOMPARE(f.selectedLines(), QList<int>{0});
    QCOMPARE(f.form->Text2->text(), QStringLiteral("File: \t\tQ1.XLS\r\nUser: \t\tUSER3\r\n"));
    QVERIFY(f.client.calls.isEmpty());
}

void FileLocksTest::clearsTheFileSelectedNow()
{
    UserListFixture f;
    fillHolders(f, {1});
    f.form->serverConnection = 3; // the last scan's; the parse replaces it
    f.client.parseConn = 9;
    f.client.parseVolume = "DATA";
    f.client.parseDir = "REPORTS\\2024";
    browse(f, QStringLiteral("F:\\REPORTS\\2024"), {"A.XLS", "B.XLS", "C.XLS"}, 2);
    f.form->List3->setCurrentRow(1); // the user picks another file before pressing Locks
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->locks().Command11_Click();

    QCOMPARE(f.client.calls,
             (QStringList{"NWParsePath path=F:\\REPORTS\\2024",
                          "NWAllocTemporaryDirectoryHandle conn=9 handle=0 path=DATA:REPORTS\\2024",
                          "NWClearFileLock2 conn=9 handle=41 path=DATA:REPORTS\\2024\\B.XLS",
                          "NWDeallocateDirectoryHandle conn=9 handle=41"}));
    QCOMPARE(f.form->serverConnection, 9u);
    QCOMPARE(f.client.openDirHandles, 0);
}

void FileLocksTest::fileLockCodes_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("text");
    const QString lead = QStringLiteral("Unable to clear file lock - ");
    QTest::newRow("0x8801") << 0x8801u << lead + "invalid connection.";
    QTest::newRow("0x890A") << 0x890Au << lead + "invalid NLM connection.";
    QTest::newRow("0x8996") << 0x8996u << lead + "server out of memory.";
    QTest::newRow("0x8998") << 0x8998u << lead + "volume does not exist.";
    QTest::newRow("0x899B") << 0x899Bu << lead + "bad directory handle.";
    QTest::newRow("0x899C") << 0x899Cu << lead + "invalid path.";
    QTest::newRow("0x89A1") << 0x89A1u << lead + "directory I/O error.";
    QTest::newRow("0x89FD") << 0x89FDu << lead + "bad station number.";
    QTest::newRow("0x89FF") << 0x89FFu << lead + "lock error.";
    QTest::newRow("0x89A8") << 0x89A8u << lead + "unknown error.";
}

void FileLocksTest::fileLockCodes()
{
    QFETCH(uint, code);
    QFETCH(QString, text);
    UserListFixture f;
    fillHolders(f, {1});
    browse(f, QStringLiteral("F:\\REPORTS"), {"Q1.XLS"}, 0);
    f.client.codes[QStringLiteral("NWClearFileLock2")] = code;
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->locks().Command11_Click();

    QCOMPARE(f.form->Text2->text(), text);
    // The temporary handle goes back to the server whatever the clear answered.
    QCOMPARE(f.client.callNames().last(), QStringLiteral("NWDeallocateDirectoryHandle"));
    QCOMPARE(f.client.openDirHandles, 0);
}

void FileLocksTest::parseFailure()
{
    UserListFixture f;
    fillHolders(f, {1});
    browse(f, QStringLiteral("F:\\GONE"), {"Q1.XLS"}, 0);
    f.client.codes[QStringLiteral("NWParsePath")] = nw::kBadPathSyntax;
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->locks().Command11_Click();

    QCOMPARE(f.fakes.prompts.beepCount(), 1);
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Error! Unable to parse the path for directory F:\\GONE."));
    QCOMPARE(f.client.callNames(), QStringList{"NWParsePath"});
}

void FileLocksTest::handleFailure()
{
    UserListFixture f;
    fillHolders(f, {1});
    browse(f, QStringLiteral("F:\\REPORTS"), {"Q1.XLS"}, 0);
    f.client.codes[QStringLiteral("NWAllocTemporaryDirectoryHandle")] = nw::kNoMoreDirHandles;
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->locks().Command11_Click();

    QCOMPARE(f.fakes.prompts.beepCount(), 1);
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Error! Unable to create temp directory handle."));
    QCOMPARE(f.client.callNames(), (QStringList{"NWParsePath", "NWAllocTemporaryDirectoryHandle"}));
}

QTEST_MAIN(FileLocksTest)
#include "file_locks_test.moc"
