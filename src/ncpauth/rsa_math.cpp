// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/rsa_math.h"

#include <openssl/bn.h>

#include <memory>
#include <new>
#include <stdexcept>

namespace ncp {
namespace {

struct BnFree
{
    void operator()(BIGNUM* b) const { BN_clear_free(b); }
};
struct CtxFree
{
    void operator()(BN_CTX* c) const { BN_CTX_free(c); }
};
using Bn = std::unique_ptr<BIGNUM, BnFree>;
using Ctx = std::unique_ptr<BN_CTX, CtxFree>;

// Every failure of the arithmetic below leaves through this one exception,
// which the public functions turn into nullopt.
struct Failed : std::runtime_error
{
    Failed() : std::runtime_error("big-number arithmetic failed") {}
};

void check(int ok)
{
    if (!ok)
        throw Failed();
}

Bn make()
{
    Bn b(BN_new());
    check(b != nullptr);
    return b;
}

Ctx context()
{
    Ctx c(BN_CTX_secure_new());
    check(c != nullptr);
    return c;
}

Bn number(const QByteArray& le)
{
    Bn b(BN_lebin2bn(reinterpret_cast<const unsigned char*>(le.constData()), int(le.size()),
                     nullptr));
    check(b != nullptr);
    return b;
}

QByteArray bytes(const BIGNUM* b, qsizetype length)
{
    check(BN_num_bytes(b) <= length);
    QByteArray out(length, '\0');
    check(BN_bn2lebinpad(b, reinterpret_cast<unsigned char*>(out.data()), int(length)) >= 0);
    return out;
}

// A modulus the arithmetic accepts: odd (so not zero).
Bn modulusOf(const QByteArray& le)
{
    Bn m = number(le);
    check(BN_is_odd(m.get()));
    return m;
}

template <typename F> auto guarded(F&& f) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const Failed&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

DsPrivateKey makeKeyPair(int bits)
{
    const Ctx ctx = context();
    const int primeBits = bits / 2;
    Bn e = make(), p = make(), q = make(), p1 = make(), q1 = make(), phi = make(), d = make(),
       n = make(), dp = make(), dq = make(), cr = make(), g = make();
    check(BN_set_word(e.get(), 65537));
    for (;;) {
        // Primes with their two top bits set, so that the modulus has all its bits.
        check(BN_generate_prime_ex2(p.get(), primeBits, 0, nullptr, nullptr, nullptr, ctx.get()));
        check(BN_generate_prime_ex2(q.get(), primeBits, 0, nullptr, nullptr, nullptr, ctx.get()));
        const int order = BN_cmp(p.get(), q.get());
        if (order == 0)
            continue;
        if (order < 0)
            BN_swap(p.get(), q.get());
        check(BN_sub(p1.get(), p.get(), BN_value_one()));
        check(BN_sub(q1.get(), q.get(), BN_value_one()));
        check(BN_mul(phi.get(), p1.get(), q1.get(), ctx.get()));
        check(BN_gcd(g.get(), e.get(), phi.get(), ctx.get()));
        if (BN_is_one(g.get()))
            break;
    }
    check(BN_mul(n.get(), p.get(), q.get(), ctx.get()));
    check(BN_mod_inverse(d.get(), e.get(), phi.get(), ctx.get()) != nullptr);
    check(BN_mod(dp.get(), d.get(), p1.get(), ctx.get()));
    check(BN_mod(dq.get(), d.get(), q1.get(), ctx.get()));
    check(BN_mod_inverse(cr.get(), q.get(), p.get(), ctx.get()) != nullptr);
    DsPrivateKey key;
    key.pub.bits = bits;
    key.pub.modulus = bytes(n.get(), (bits + 7) / 8);
    key.pub.exponent = bytes(e.get(), 3);
    const qsizetype half = (primeBits + 7) / 8;
    key.p = bytes(p.get(), half);
    key.q = bytes(q.get(), half);
    key.dp = bytes(dp.get(), half);
    key.dq = bytes(dq.get(), half);
    key.qInverse = bytes(cr.get(), half);
    return key;
}

} // namespace

std::optional<QByteArray> powMod(const QByteArray& base, const QByteArray& exponent,
                                 const QByteArray& modulus, qsizetype length)
{
    return guarded([&] {
        const Ctx ctx = context();
        const Bn b = number(base), e = number(exponent), m = modulusOf(modulus);
        Bn r = make();
        check(BN_mod_exp(r.get(), b.get(), e.get(), m.get(), ctx.get()));
        return bytes(r.get(), length);
    });
}

std::optional<QByteArray> mulMod(const QByteArray& a, const QByteArray& b,
                                 const QByteArray& modulus, qsizetype length)
{
    return guarded([&] {
        const Ctx ctx = context();
        const Bn x = number(a), y = number(b), m = modulusOf(modulus);
        Bn r = make();
        check(BN_mod_mul(r.get(), x.get(), y.get(), m.get(), ctx.get()));
        return bytes(r.get(), length);
    });
}

std::optional<QByteArray> privatePow(const QByteArray& base, const DsPrivateKey& key,
                                     qsizetype length)
{
    return guarded([&] {
        const Ctx ctx = context();
        const Bn m = number(base), p = modulusOf(key.p), q = modulusOf(key.q), dp = number(key.dp),
                 dq = number(key.dq), cr = number(key.qInverse);
        BN_set_flags(dp.get(), BN_FLG_CONSTTIME);
        BN_set_flags(dq.get(), BN_FLG_CONSTTIME);
        Bn mp = make(), mq = make(), h = make(), r = make();
        // m^dp mod p and m^dq mod q joined: h = (mp - mq) * cr mod p, r = mq + h * q.
        check(BN_mod_exp(mp.get(), m.get(), dp.get(), p.get(), ctx.get()));
        check(BN_mod_exp(mq.get(), m.get(), dq.get(), q.get(), ctx.get()));
        check(BN_mod_sub(h.get(), mp.get(), mq.get(), p.get(), ctx.get()));
        check(BN_mod_mul(h.get(), h.get(), cr.get(), p.get(), ctx.get()));
        check(BN_mul(r.get(), h.get(), q.get(), ctx.get()));
        check(BN_add(r.get(), r.get(), mq.get()));
        return bytes(r.get(), length);
    });
}

int compareNumbers(const QByteArray& a, const QByteArray& b)
{
    return guarded([&] { return BN_cmp(number(a).get(), number(b).get()); }).value_or(0);
}

std::optional<QByteArray> subtract(const QByteArray& a, const QByteArray& b, qsizetype length)
{
    return guarded([&] {
        const Bn x = number(a), y = number(b);
        Bn r = make();
        check(BN_sub(r.get(), x.get(), y.get()));
        check(!BN_is_negative(r.get()));
        return bytes(r.get(), length);
    });
}

QByteArray fixedLength(const QByteArray& number, qsizetype length)
{
    QByteArray out = number.left(length);
    out.append(length - out.size(), '\0');
    return out;
}

int bitLength(const QByteArray& value)
{
    return guarded([&] { return BN_num_bits(number(value).get()); }).value_or(0);
}

std::optional<DsPrivateKey> generateKeyPair(int bits)
{
    return guarded([&] { return makeKeyPair(bits); });
}

} // namespace ncp
