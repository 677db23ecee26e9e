// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/object_keys.h"

#include "ncp/bindery_password.h"
#include "ncp/server_text.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"

namespace ncp {

std::optional<PasswordHash> passwordHashOf(std::uint32_t objectId, const QString& password)
{
    auto bytes = serverText(binderyUpper(password));
    if (!bytes)
        return std::nullopt;
    const PasswordHash hash = shufflePassword(objectId, *bytes);
    bytes->fill('\0');
    return hash;
}

bool setObjectPassword(nw::SimObject& object, const QString& password, bool keys)
{
    const auto made = passwordHashOf(object.id, password);
    if (!made)
        return false;
    const PasswordHash& hash = *made;
    QByteArray publicKey;
    QByteArray privateKey;
    if (keys) {
        auto pair = generateKeyPair();
        if (!pair)
            return false;
        publicKey = encodePublicKey(*pair);
        QByteArray blob = encodePrivateKey(*pair);
        privateKey = sealBlock(hash, blob);
        blob.fill('\0');
        pair->wipe();
    }
    object.passwordHash = QByteArray(reinterpret_cast<const char*>(hash.data()), 16);
    object.publicKey = publicKey;
    object.privateKey = privateKey;
    object.password.reset();
    return true;
}

bool ensureServerKeys(nw::SimState& state)
{
    if (!state.privateKey.isEmpty() && decodePrivateKey(state.privateKey))
        return true;
    auto pair = generateKeyPair();
    if (!pair)
        return false;
    state.publicKey = encodePublicKey(*pair);
    state.privateKey = encodePrivateKey(*pair);
    pair->wipe();
    return true;
}

} // namespace ncp
