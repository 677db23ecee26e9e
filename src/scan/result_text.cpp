#include "scan/result_text.h"

namespace quorvex {

QString openedText(std::uint8_t opened)
{
    return opened == 8 ? QStringLiteral("Shareable") : QStringLiteral("Exclusive");
}

QString fileRightsText(std::uint8_t fileRights)
{
    QString text;
    if (fileRights & 0x01)
        text += QStringLiteral("Read,");
    if (fileRights & 0x02)
        text += QStringLiteral("Write,");
    if (fileRights & 0x04)
        text += QStringLiteral("Deny Read,");
    if (fileRights & 0x08)
        text += QStringLiteral("Deny Write,");
    if (!text.isEmpty())
        text.chop(1);
    return text;
}

QString lockedText(std::uint8_t locked)
{
    return locked != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace quorvex
