// SPDX-License-Identifier: GPL-3.0-or-later
// Login passwords: asked once per server and user, taken from a file when one
// is named, forgotten when the server refuses them and then not tried again
// on their own; what the server said of a login is told once.

#include "app/prompted_password_source.h"
#include "platform/attempt_origin.h"
#include "support/file_with_mode.h"
#include "support/scripted_prompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using ncp::LoginRefusal;

using namespace quorvex;

using Kind = ScriptedPrompts::Kind;

class PromptedPasswordSourceTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& content, mode_t mode)
    {
        return writeFileWithMode(m_dir.filePath(name), content, mode);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void asksOncePerServerAndUser()
    {
        ScriptedPrompts prompts;
        prompts.queuePassword(QString("s3cret"));
        prompts.queuePassword(QString("other"));
        auto source = makePasswordSource(prompts);
        QCOMPARE(source->password("FS2", "BOB", {}), QString("s3cret"));
        QCOMPARE(source->password("FS2", "BOB", {}), QString("s3cret"));
        QCOMPARE(source->password("fs2", "bob", {}), QString("s3cret"));
        QCOMPARE(source->password("FS2", "ALICE", {}), QString("other"));
        QCOMPARE(prompts.transcript(), (QStringList{"passwordBox Quorvex: Password for BOB on FS2:",
                                                    "passwordBox Quorvex: Password for ALICE on "
                                                    "FS2:"}));
        QVERIFY(prompts.allScripted());
    }

    void refusedPasswordIsAskedAgainOnlyForAPerson()
    {
        ScriptedPrompts prompts;
        prompts.queuePassword(QString("wrong"));
        prompts.queuePassword(QString("right"));
        prompts.queueAnswer(Answer::Ok);
        AttemptOrigin origin;
        auto source = makePasswordSource(prompts, &origin);
        QCOMPARE(source->password("FS2", "BOB", {}), QString("wrong"));
        source->refused("FS2", "BOB", LoginRefusal::Password, 0xFF);
        {
            // The rescan timer's login does not ask: a retry is a strike.
            const AttemptOrigin::Automatic tick(&origin);
            QCOMPARE(source->password("FS2", "BOB", {}), std::nullopt);
        }
        QCOMPARE(source->password("FS2", "BOB", {}), QString("right"));
        QCOMPARE(source->password("FS2", "BOB", {}), QString("right"));
        QCOMPARE(prompts.transcript(),
                 (QStringList{"passwordBox Quorvex: Password for BOB on FS2:",
                              "messageBox[Exclamation,Ok,Ok] Quorvex: The server FS2 refused the "
                              "password of BOB.",
                              "passwordBox Quorvex: Password for BOB on FS2:"}));
        QVERIFY(prompts.allScripted());
    }

    void refusedFileIsReadAgainOnlyOnceChanged()
    {
        ScriptedPrompts prompts;
        auto source = makePasswordSource(prompts);
        QStringList told;
        source->setNoticeSink([&told](const QString& text) { told.append(text); });
        const QString path = write("refused", "old\n", 0600);
        QCOMPARE(source->password("FS2", "BOB", path), QString("old"));
        source->refused("FS2", "BOB", LoginRefusal::Locked, 0xC5);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        write("refused", "new\n", 0600);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(source->password("FS2", "BOB", path), QString("new"));
        QCOMPARE(told, QStringList{"The account BOB on FS2 is locked by intruder detection; ask "
                                   "the server's administrator to unlock it."});
        QVERIFY(prompts.calls().isEmpty());
    }

    void graceLoginIsToldOnce()
    {
        ScriptedPrompts prompts;
        auto source = makePasswordSource(prompts);
        QStringList told;
        source->setNoticeSink([&told](const QString& text) { told.append(text); });
        source->graceLogin("FS2", "BOB", 2);
        source->graceLogin("fs2", "bob", 1);
        source->graceLogin("FS2", "ALICE", -1);
        QCOMPARE(told, (QStringList{"Password for BOB on FS2 has expired: 2 grace logins left",
                                    "Password for ALICE on FS2 has expired"}));
    }

    void cancelGivesNoPasswordForTheRun()
    {
        ScriptedPrompts prompts;
        prompts.queuePassword(std::nullopt);
        auto source = makePasswordSource(prompts);
        QCOMPARE(source->password("FS2", "BOB", {}), std::nullopt);
        QCOMPARE(source->password("FS2", "BOB", {}), std::nullopt);
        QCOMPARE(prompts.calls(Kind::PasswordBox).size(), 1);
    }

    void emptyPasswordIsAPassword()
    {
        // An object without a password accepts only the empty one: OK on an
        // empty box must log in with it, not count as cancelled.
        ScriptedPrompts prompts;
        prompts.queuePassword(QString());
        auto source = makePasswordSource(prompts);
        const auto pw = source->password("FS2", "GUEST", {});
        QVERIFY(pw.has_value());
        QVERIFY(pw->isEmpty());
    }

    void fileIsReadWithoutAsking()
    {
        ScriptedPrompts prompts;
        auto source = makePasswordSource(prompts);
        const QString path = write("good", "fromfile\n", 0600);
        QCOMPARE(source->password("FS2", "BOB", path), QString("fromfile"));
        // Read again at each login: a changed file is picked up. The line is
        // UTF-8 text, or Latin-1 bytes when it is not valid UTF-8.
        write("good", "p\xC3\xA4ss\n", 0600);
        QCOMPARE(source->password("FS2", "BOB", path), QString("p\u00e4ss"));
        write("good", "p\xE4ss\n", 0600);
        QCOMPARE(source->password("FS2", "BOB", path), QString("p\u00e4ss"));
        QVERIFY(prompts.calls().isEmpty());
    }

    void refusedFileIsReportedOnceAndGivesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::newRow("0644") << "open"
                              << "readable by others (mode 0644); make it 0600";
        QTest::newRow("symlink") << "link"
                                 << "a symbolic link; name the file itself";
        QTest::newRow("directory") << "dir"
                                   << "a directory, not a file";
    }
    void refusedFileIsReportedOnceAndGivesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        const QString good = write("target", "secret\n", 0600);
        const QString path = m_dir.filePath(name);
        if (name == "open")
            write(name, "secret\n", 0644);
        else if (name == "link")
            QVERIFY(QFile::link(good, path));
        else
            QVERIFY(QDir().mkpath(path));

        ScriptedPrompts prompts;
        prompts.queuePassword(QString("typed")); // must not be used
        auto source = makePasswordSource(prompts);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        QCOMPARE(prompts.transcript(),
                 QStringList{"messageBox[Exclamation,Ok,Ok] Quorvex: Password file " + path + ": " +
                             why});
    }

    void fileSetRightIsAcceptedAndANewFaultReportedAgain()
    {
        ScriptedPrompts prompts;
        auto source = makePasswordSource(prompts);
        const QString path = write("fixed", "secret\n", 0644);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        ::chmod(QFile::encodeName(path).constData(), 0600);
        QCOMPARE(source->password("FS2", "BOB", path), QString("secret"));
        ::chmod(QFile::encodeName(path).constData(), 0640);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        QCOMPARE(prompts.calls(Kind::MessageBox).size(), 2);
    }
};

QTEST_GUILESS_MAIN(PromptedPasswordSourceTest)
#include "prompted_password_source_test.moc"
