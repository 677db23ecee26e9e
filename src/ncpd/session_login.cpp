// Bindery requests of a session: the server's version, and the keyed login
// that a session must pass before anything else is answered.

#include "ncp/bindery_password.h"
#include "ncpd/bindery_requests.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

#include <QRandomGenerator>

namespace ncpd {
namespace {

constexpr std::uint8_t kCompletionFailure = 0xFF;
constexpr std::uint8_t kCompletionNoSuchObject = 0xFC;

} // namespace

SessionDispatcher::Answer SessionDispatcher::versionInfo()
{
    nw::VERSION_INFO info;
    const nw::NWCCODE code = client_->NWGetFileServerVersionInfo(handle_, info);
    return fromCode(code, code ? QByteArray() : encodeVersionReply(info));
}

SessionDispatcher::Answer SessionDispatcher::loginKey()
{
    std::array<std::uint8_t, 8> key{};
    QRandomGenerator::system()->generate(key.begin(), key.end());
    loginKey_ = key;
    Answer a;
    a.data = encodeLoginKeyReply(key);
    return a;
}

SessionDispatcher::Answer SessionDispatcher::objectId(const QByteArray& data)
{
    const auto request = decodeObjectId(data);
    if (!request)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    // Type 0xFFFF asks for an object of any type.
    const nw::SimObject* o = s->objectByName(nw::fromWire(request->name.constData()));
    if (!o || (request->type != o->type && request->type != 0xFFFF))
        return completion(kCompletionNoSuchObject);
    Answer a;
    a.data = encodeObjectRecord(o->id, o->type, nw::toWire(o->name));
    return a;
}

SessionDispatcher::Answer SessionDispatcher::keyedLogin(const QByteArray& data)
{
    const auto request = decodeKeyedLogin(data);
    if (!request)
        return malformed();
    // A key serves one attempt: guessing again needs a new one.
    const auto key = loginKey_;
    loginKey_.reset();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const nw::SimObject* o = s->objectByName(nw::fromWire(request->name.constData()));
    if (!o || request->type != kObjectTypeUser || o->type != nw::kObjectUser)
        return completion(kCompletionNoSuchObject);
    if (!key)
        return completion(kCompletionFailure);
    // Bindery clients upper-case the password before they shuffle it, others
    // send it as typed: either reading of the stored password is taken.
    const QByteArray password = o->password ? o->password->toUtf8() : QByteArray();
    const auto matches = [&](const QByteArray& text) {
        return ncp::encryptLoginKey(*key, ncp::shufflePassword(o->id, text)) == request->encrypted;
    };
    if (!matches(password) && !matches(password.toUpper())) {
        loggedIn_ = false;
        return completion(kCompletionFailure);
    }
    loggedIn_ = true;
    loginObject_ = o->id;
    return Answer();
}

SessionDispatcher::Answer SessionDispatcher::objectName(const QByteArray& data)
{
    const auto request = decodeObjectName(data);
    if (!request)
        return malformed();
    std::array<char, 48> name{};
    std::uint16_t type = 0;
    const nw::NWCCODE code = client_->NWGetObjectName(handle_, request->objectId, name, type);
    return fromCode(code, encodeObjectRecord(request->objectId, type, QByteArray(name.data())));
}

} // namespace ncpd
