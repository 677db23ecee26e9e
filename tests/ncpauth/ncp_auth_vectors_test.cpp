// SPDX-License-Identifier: GPL-3.0-or-later
// Every cryptographic step of the directory login and of packet signatures
// against vectors computed with the reference library itself (ncpfs, the
// Linux client), from reference_vectors.txt beside this file, which names the
// function that produced each value and its inputs. Our two sides agreeing
// would prove little; these would fail on any byte that differs.

#include "ncp/bindery_password.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/login_messages.h"
#include "ncpauth/nw_cipher.h"
#include "ncpauth/nw_hash.h"
#include "ncpauth/packet_signature.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"
#include "support/lcg_random.h"

#include <QFile>
#include <QTest>

#include <map>

using namespace ncp;

namespace {

std::map<QByteArray, QByteArray> loadVectors()
{
    std::map<QByteArray, QByteArray> v;
    QFile f(qEnvironmentVariable("QUORVEX_SOURCE_DIR") +
            QStringLiteral("/tests/ncpauth/reference_vectors.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return v;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (line.startsWith('#') || space < 0)
            continue;
        v[line.left(space)] = QByteArray::fromHex(line.mid(space + 1));
    }
    return v;
}

QByteArray data(int n)
{
    QByteArray d;
    for (int i = 0; i < n; ++i)
        d.append(char(i * 7 + 3));
    return d;
}

template <std::size_t N> QByteArray bytes(const std::array<std::uint8_t, N>& a)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), qsizetype(N));
}

QByteArray pattern(int first, int count, int step, int add)
{
    QByteArray p;
    for (int i = first; i < first + count; ++i)
        p.append(char(i * step + add));
    return p;
}

PasswordHash hashOf(const QByteArray& password)
{
    return shufflePassword(0x3E9, password);
}

} // namespace

class NcpAuthVectorsTest : public QObject
{
    Q_OBJECT

    std::map<QByteArray, QByteArray> v;
    QByteArray at(const char* key) const
    {
        const auto it = v.find(key);
        return it == v.end() ? QByteArray() : it->second;
    }

private slots:
    void initTestCase()
    {
        v = loadVectors();
        QVERIFY2(v.size() > 30, "reference_vectors.txt not found or short");
    }

    // nwhash1, nwhash2, nwencrypt/nwdecrypt, nwencryptblock, __NWEncryptWithSK, shuffle.
    void hashesCipherAndSealedBlocks()
    {
        std::array<std::uint8_t, 5> h5{};
        shortHash(h5, bytesOf(data(39)));
        QCOMPARE(bytes(h5), at("nwhash1.5.data39"));
        std::array<std::uint8_t, 8> h8{};
        shortHash(h8, bytesOf(data(100)));
        QCOMPARE(bytes(h8), at("nwhash1.8.data100"));
        QCOMPARE(bytes(cipherKeyFrom(bytesOf(data(16)))), at("nwhash1.8.data16.ten"));
        for (const auto& [length, key] :
             {std::pair{100, "nwhash2.data100"}, std::pair{16, "nwhash2.data16"},
              std::pair{0, "nwhash2.empty"}}) {
            Digest16 d;
            d.update(bytesOf(data(length)));
            QCOMPARE(bytes(d.finish()), at(key));
        }
        std::array<std::uint8_t, 8> key{};
        std::copy_n(bytesOf(at("nwencrypt.key")).begin(), 8, key.begin());
        const BlockCipher cipher(key);
        std::array<std::uint8_t, 8> block{};
        cipher.encrypt(reinterpret_cast<const std::uint8_t*>(data(8).constData()), block.data());
        QCOMPARE(bytes(block), at("nwencrypt.data8"));
        cipher.decrypt(block.data(), block.data());
        QCOMPARE(bytes(block), data(8));
        QCOMPARE(cipher.encryptChain(data(24)).value(), at("nwencryptblock.data24"));
        QCOMPARE(cipher.decryptChain(at("nwencryptblock.data24")).value(), data(24));
        QCOMPARE(sealBlock(data(16), data(54).mid(50)), at("sealed.secret_data16.data50_4"));
        QCOMPARE(sealBlock(data(28), data(31).mid(20)), at("sealed.secret_data28.data20_11"));
        QCOMPARE(openBlock(data(28), at("sealed.secret_data28.data20_11")).value(),
                 data(31).mid(20));
        QVERIFY(!openBlock(data(27), at("sealed.secret_data28.data20_11"))); // another secret
        QCOMPARE(bytes(hashOf("SECRET")), at("shuffle.SECRET"));
        QCOMPARE(bytes(hashOf("")), at("shuffle.empty"));
    }

    // __NWGenerateKeyPair's keys read, and a key of ours that checks the same way.
    void keyPairs()
    {
        const auto serverPublic = decodePublicKey(at("server.public"));
        const auto server = decodePrivateKey(at("server.private"));
        QVERIFY(serverPublic && server);
        QCOMPARE(server->pub.modulus, serverPublic->modulus);
        QCOMPARE(serverPublic->bits, 420);
        // The private operation undoes the public one.
        const QByteArray m = data(50);
        const auto c = powMod(m, serverPublic->exponent, serverPublic->modulus, 56);
        QCOMPARE(privatePow(*c, *server, 56).value(), m + QByteArray(6, '\0'));
        QByteArray broken = at("user.public");
        broken[40] = char(broken[40] ^ 1);
        QVERIFY(!decodePublicKey(broken)); // the check value no longer holds
        // Ours: the same form, read back.
        const auto mine = generateKeyPair();
        QVERIFY(mine);
        const auto back = decodePrivateKey(encodePrivateKey(*mine));
        QVERIFY(back);
        QCOMPARE(compareNumbers(back->p, mine->p), 0);
        QCOMPARE(
            compareNumbers(decodePublicKey(encodePublicKey(*mine))->modulus, mine->pub.modulus), 0);
        QCOMPARE(bitLength(mine->pub.modulus), 420);
    }

    // __NWDSGetPrivateKey: what it sends, and the private key it takes from the reply.
    void finishLogin()
    {
        const auto server = decodePrivateKey(at("server.private"));
        const PasswordHash hash = hashOf("SECRET");
        QCOMPARE(passwordProof(hash, at("login.seed")), at("login.proof"));
        QCOMPARE(sealBlock(hash, at("user.private")), at("user.sealed_private"));
        LcgRandom random(2001);
        auto request = makeLoginRequest(server->pub, hash, at("login.seed"), random);
        QVERIFY(request);
        QCOMPARE(request->payload, at("finishlogin.request"));
        // The server's side: the same request read, the same key block made.
        const auto read = readLoginRequest(*server, at("finishlogin.request"));
        QVERIFY(read);
        QCOMPARE(read->proof, at("login.proof"));
        QCOMPARE(read->nonce, request->nonce);
        QCOMPARE(read->mask, request->mask);
        QCOMPARE(makeLoginKeyBlock(*read, at("user.sealed_private")).value(),
                 at("finishlogin.keyblock"));
        // The client's: the private key the reference took from it (its copy
        // has a 10-byte header of its own before the same chunks).
        const auto blob = openLoginKeyBlock(*request, hash, at("finishlogin.keyblock"));
        QVERIFY(blob);
        QCOMPARE(blob->mid(8), at("finishlogin.private").mid(10));
        QVERIFY(!openLoginKeyBlock(*request, hashOf("WRONG"), at("finishlogin.keyblock")));
    }

    // The server's proof nds_beginauth2 accepted; gen_auth_data's identity proof.
    void authentication()
    {
        const auto server = decodePrivateKey(at("server.private"));
        LcgRandom seedSource(3001);
        QCOMPARE(seedSource.bytes(4), at("beginauth.seed"));
        QCOMPARE(at("beginauth.accepted"), QByteArray(1, '\0')); // the reference accepted it
        LcgRandom random(3101);
        QCOMPARE(makeServerProof(*server, at("beginauth.seed"), random).value(),
                 at("beginauth.proof"));
        QVERIFY(checkServerProof(server->pub, at("beginauth.seed"), at("beginauth.proof")));
        QVERIFY(!checkServerProof(server->pub, QByteArray("\1\2\3\4"), at("beginauth.proof")));

        const auto user = decodePrivateKey(at("user.private"));
        QVERIFY(user);
        LcgRandom proofRandom(4001);
        const auto proof =
            makeIdentityProof(*user, at("auth.id"), at("auth.identity"), proofRandom);
        QCOMPARE(proof.value(), at("auth.proof"));
        QVERIFY(
            checkIdentityProof(user->pub, at("auth.id"), at("auth.identity"), at("auth.proof")));
        QByteArray forged = at("auth.proof");
        forged[forged.size() - 3] = char(forged[forged.size() - 3] ^ 0x10);
        QVERIFY(!checkIdentityProof(user->pub, at("auth.id"), at("auth.identity"), forged));
        QVERIFY(!checkIdentityProof(user->pub, QByteArray("\0\0\0\0", 4), at("auth.identity"),
                                    at("auth.proof")));
        const auto parts = readLoginIdentity(at("auth.identity"));
        QVERIFY(parts);
        QCOMPARE(parts->loginData, QByteArray("LOGINDAT"));

        LcgRandom sealRandom(5001);
        QCOMPARE(sealForServer(server->pub, at("signkey"), sealRandom).value(),
                 at("signkey.sealed"));
        QCOMPARE(openFromClient(*server, at("signkey.sealed")).value(), at("signkey"));
    }

    // sign_init, __sign_packet and the reply's check, over two exchanges.
    void packetSignatures()
    {
        std::array<std::uint8_t, 8> key{};
        std::copy_n(bytesOf(at("nwencrypt.key")).begin(), 8, key.begin());
        const SignRoot root = binderySignRoot(hashOf("SECRET"), key);
        QCOMPARE(bytes(root), at("sign.root"));
        SignatureChain chain(root);
        QCOMPARE(bytes(chain.signRequest(bytesOf(pattern(0, 4, 5, 1)), 34)), at("sign.request1"));
        QCOMPARE(bytes(chain.signReply(bytesOf(pattern(0, 40, 3, 2)), 62)), at("sign.reply1"));
        QCOMPARE(bytes(chain.signRequest(bytesOf(pattern(10, 70, 5, 1)), 100)),
                 at("sign.request2"));
        QCOMPARE(bytes(chain.signReply(bytesOf(pattern(0, 80, 3, 2)), 102)), at("sign.reply2"));
    }
};

QTEST_GUILESS_MAIN(NcpAuthVectorsTest)
#include "ncp_auth_vectors_test.moc"
