// Directory services (104/2): name to entry ID and entry ID to name, served
// only by a server with directory services (version above 3).

#include "ncpd/ds_requests.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

namespace ncpd {
namespace {

constexpr std::uint8_t kCompletionNotSupported = 0xFB;

// Directory errors are negative 32-bit values; they travel inside the reply
// with completion 0.
bool isDirectoryError(nw::NWCCODE code)
{
    return code >= 0xFFFF0000u;
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::directoryServices(const QByteArray& data)
{
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    if (s->versionMajor <= 3)
        return completion(kCompletionNotSupported);
    const auto request = decodeDsRequest(data);
    if (!request)
        return malformed();
    nw::NWCCODE code = nw::kSuccess;
    QByteArray verbData;
    if (request->verb == kVerbResolveName) {
        const auto resolve = decodeResolveName(request->parameters);
        if (!resolve)
            return malformed();
        std::uint32_t id = 0;
        const QByteArray name = nw::toWire(resolve->name);
        code = client_->NWDSMapNameToID(context_, handle_, name.constData(), id);
        verbData = encodeResolveNameData(id);
    } else if (request->verb == kVerbReadEntryInfo) {
        const auto read = decodeReadEntryName(request->parameters);
        if (!read)
            return malformed();
        std::array<char, 257> name{};
        code = client_->NWDSMapIDToName(context_, handle_, read->objectId(), name);
        verbData = encodeReadEntryNameData(nw::fromWire(name.data()));
    } else {
        return completion(kCompletionNotSupported);
    }
    if (isDirectoryError(code)) {
        Answer a;
        a.data = encodeDsReply(std::int32_t(code), QByteArray());
        return a;
    }
    return fromCode(code, encodeDsReply(0, verbData));
}

} // namespace ncpd
