// Login passwords: asked once per server and user, taken from a file when one
// is named, and forgotten when the server refuses them.

#include "app/prompted_password_source.h"
#include "support/file_with_mode.h"
#include "support/scripted_prompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
        QCOMPARE(source->password("FS2", "BOB", {}), QByteArray("s3cret"));
        QCOMPARE(source->password("FS2", "BOB", {}), QByteArray("s3cret"));
        QCOMPARE(source->password("fs2", "bob", {}), QByteArray("s3cret"));
        QCOMPARE(source->password("FS2", "ALICE", {}), QByteArray("other"));
        QCOMPARE(prompts.transcript(), (QStringList{"passwordBox Quorvex: Password for BOB on FS2:",
                                                    "passwordBox Quorvex: Password for ALICE on "
                                                    "FS2:"}));
        QVERIFY(prompts.allScripted());
    }

    void refusedPasswordIsAskedAgain()
    {
        ScriptedPrompts prompts;
        prompts.queuePassword(QString("wrong"));
        prompts.queuePassword(QString("right"));
        auto source = makePasswordSource(prompts);
        QCOMPARE(source->password("FS2", "BOB", {}), QByteArray("wrong"));
        source->refused("FS2", "BOB");
        QCOMPARE(source->password("FS2", "BOB", {}), QByteArray("right"));
        QCOMPARE(source->password("FS2", "BOB", {}), QByteArray("right"));
        QCOMPARE(prompts.calls(Kind::PasswordBox).size(), 2);
        // Refusing one login leaves the others alone.
        source->refused("FS3", "BOB");
        QCOMPARE(source->password("FS2", "BOB", {}), QByteArray("right"));
        QVERIFY(prompts.allScripted());
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
        QCOMPARE(source->password("FS2", "BOB", path), QByteArray("fromfile"));
        // Read again at each login: a changed file is picked up.
        write("good", "changed\n", 0600);
        QCOMPARE(source->password("FS2", "BOB", path), QByteArray("changed"));
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
        QCOMPARE(source->password("FS2", "BOB", path), QByteArray("secret"));
        ::chmod(QFile::encodeName(path).constData(), 0640);
        QCOMPARE(source->password("FS2", "BOB", path), std::nullopt);
        QCOMPARE(prompts.calls(Kind::MessageBox).size(), 2);
    }
};

QTEST_GUILESS_MAIN(PromptedPasswordSourceTest)
#include "prompted_password_source_test.moc"
