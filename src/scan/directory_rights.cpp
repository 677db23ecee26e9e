// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/directory_rights.h"

#include "netware/netware_text.h"
#include "scan/result_text.h"

#include <QStringList>

#include <array>

namespace quorvex {

namespace {

// "vol:\dir/sub\" -> volume "VOL" and the components {"DIR", "SUB"}, upper case.
struct SplitPath
{
    QString volume;
    QStringList parts;
};

SplitPath splitPath(const QString& path, const QString& defaultVolume)
{
    SplitPath split;
    QString rest = path;
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        split.volume = rest.left(colon).toUpper();
        rest = rest.mid(colon + 1);
    } else {
        split.volume = defaultVolume;
    }
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    split.parts = rest.toUpper().split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return split;
}

} // namespace

int trusteeDistance(const QString& volumePath, const QString& trusteePath)
{
    const SplitPath file = splitPath(volumePath, QString());
    const SplitPath trustee = splitPath(trusteePath, file.volume);
    if (trustee.volume != file.volume || trustee.parts.size() > file.parts.size())
        return -1;
    for (qsizetype i = 0; i < trustee.parts.size(); ++i) {
        if (trustee.parts[i] != file.parts[i])
            return -1;
    }
    return int(file.parts.size() - trustee.parts.size());
}

QString GetDirectoryRights(nw::NetWareClient& client, const QString& volumePath,
                           const QString& userName)
{
    const QByteArray volumePathBytes = nw::toClientText(volumePath);
    const QByteArray userNameBytes = nw::toClientText(userName);

    std::array<char, 48> serverName{};
    std::array<char, 32> volumeName{};
    std::array<char, 255> dirPath{};
    nw::NWCONN_HANDLE conn = 0;
    client.NWParsePath(volumePathBytes.constData(), serverName, conn, volumeName, dirPath);

    // The same buffer carries the name context first, then each trustee path.
    std::array<char, 512> pathBuffer{};
    nw::NWDSContextHandle context = 0;
    client.NWDSCreateContextHandle(context);
    static constexpr char kRoot[] = "[Root]";
    std::copy(std::begin(kRoot), std::end(kRoot), pathBuffer.begin());
    client.NWDSSetContext(context, nw::DCK_NAME_CONTEXT, pathBuffer.data());
    std::uint32_t objectId = 0;
    client.NWDSMapNameToID(context, conn, userNameBytes.constData(), objectId);
    client.NWDSFreeContext(context);

    std::uint16_t volumeNumber = 0;
    const QByteArray volume = nw::toClientText(nw::fromClientText(volumeName));
    client.NWGetVolumeNumber(conn, volume.constData(), volumeNumber);

    QString result;
    int nearest = -1;
    std::uint16_t pathIteration = 0xFFFF;
    for (;;) {
        std::uint8_t accessRights = 0;
        pathBuffer.fill('\0');
        if (client.NWScanObjectTrusteePaths(conn, objectId, volumeNumber, pathIteration,
                                            accessRights, pathBuffer) != nw::kSuccess ||
            pathBuffer[0] == '\0')
            break;
        const QString trusteePath = nw::fromClientText(pathBuffer);
        const int distance = trusteeDistance(volumePath, trusteePath);
        // An assignment off the file's path gives no rights to the file, and one
        // farther up than an assignment already found is overridden by it.
        if (distance < 0 || (nearest >= 0 && distance > nearest))
            continue;

        const QByteArray searchPath = nw::toClientText(trusteePath);
        std::uint32_t sequence = 0;
        for (;;) {
            std::array<char, 256> dirName{};
            std::uint32_t dirDateTime = 0;
            std::uint32_t ownerId = 0;
            std::array<nw::TRUSTEE_INFO, nw::kTrusteesPerScan> trustees{};
            if (client.NWScanDirectoryForTrustees2(conn, 0, searchPath.constData(), sequence,
                                                   dirName, dirDateTime, ownerId,
                                                   trustees) != nw::kSuccess)
                break;
            for (const nw::TRUSTEE_INFO& entry : trustees) {
                if (entry.objectID == 0)
                    break;
                if (entry.objectID == objectId) {
                    result = RightsToText(entry.objectRights);
                    nearest = distance;
                }
            }
        }
    }
    return result;
}

} // namespace quorvex
