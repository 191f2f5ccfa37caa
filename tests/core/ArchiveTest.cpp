// The binary form of store files: integers, string prefixes, and reading damaged input.
#include <gtest/gtest.h>

#include <sstream>

#include "StoreTestSupport.h"
#include "TestBytes.h"
#include "fw/CArchive.h"

namespace {

CArchiveException::Cause LoadFailure(const std::string& bytes, const std::function<void(CArchive&)>& read)
{
    std::stringstream stream(bytes);
    CArchive ar(stream, CArchive::load);
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

}  // namespace

TEST(Archive, IntegersAreLittleEndianAndStringLengthPrefixesTakeOneThreeOrSevenBytesOfCodePage932Count)
{
    const std::string integers =
        StoredBy([](CArchive& ar) { ar << int32_t(-2) << uint32_t(0x01020304) << uint16_t(0xABCD); });
    EXPECT_EQ(integers, Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xCD, 0xAB}));

    // String length prefixes take one, three or seven bytes.
    struct Case { std::size_t length; std::string prefix; };
    const Case cases[] = {
        {0, Bytes({0x00})}, {254, Bytes({0xFE})}, {255, Bytes({0xFF, 0xFF, 0x00})}, {300, Bytes({0xFF, 0x2C, 0x01})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})}, {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})}};
    for (const Case& c : cases) {
        const std::string text(c.length, 'a');
        const std::string bytes = StoredBy([&](CArchive& ar) { ar << text; });
        EXPECT_TRUE(bytes == c.prefix + text) << c.length;  // not printed: up to 64 KiB

        std::string back;
        EXPECT_EQ(LoadFailure(bytes, [&back](CArchive& ar) { ar >> back; }), CArchiveException::none) << c.length;
        EXPECT_EQ(back, text) << c.length;
    }
    // Half-width katakana take one byte each, the kanji two; the prefix counts bytes.
    EXPECT_EQ(StoredBy([](CArchive& ar) { ar << std::string("ﾏｲ ｺﾝﾋﾟｭｰﾀ,表"); }),
              Bytes({13, 0xCF, 0xB2, 0x20, 0xBA, 0xDD, 0xCB, 0xDF, 0xAD, 0xB0, 0xC0, 0x2C, 0x95, 0x5C}));
}

TEST(Archive, DamagedInputAndTheWrongDirectionFailCleanly)
{
    auto readInt = [](CArchive& ar) { int32_t v; ar >> v; };
    auto readString = [](CArchive& ar) { std::string s; ar >> s; };
    EXPECT_EQ(LoadFailure("", readInt), CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(Bytes({1, 2, 3}), readInt), CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(Bytes({5, 'a', 'b'}), readString), CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(Bytes({0xFF, 0x2C}), readString), CArchiveException::endOfFile);
    // A length of 4 GiB with nothing behind it must fail fast, not allocate 4 GiB first.
    EXPECT_EQ(LoadFailure(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), readString),
              CArchiveException::endOfFile);

    std::stringstream stream;
    CArchive loading(stream, CArchive::load);
    EXPECT_THROW(loading << int32_t(1), CArchiveException);
    CArchive storing(stream, CArchive::store);
    int32_t v = 0;
    EXPECT_THROW(storing >> v, CArchiveException);
}
