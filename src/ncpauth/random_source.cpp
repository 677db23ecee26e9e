// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/random_source.h"

#include <QRandomGenerator>

namespace ncp {
namespace {

class SystemRandom : public RandomSource
{
public:
    void fill(std::span<std::uint8_t> out) override
    {
        QRandomGenerator* generator = QRandomGenerator::system();
        std::size_t i = 0;
        while (i < out.size()) {
            const quint32 word = generator->generate();
            for (int shift = 0; shift < 32 && i < out.size(); shift += 8)
                out[i++] = std::uint8_t(word >> shift);
        }
    }
};

} // namespace

QByteArray RandomSource::bytes(qsizetype count)
{
    QByteArray out(count, '\0');
    fill(std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(out.data()), std::size_t(count)));
    return out;
}

RandomSource& systemRandom()
{
    static SystemRandom random;
    return random;
}

} // namespace ncp
