#include "text_codec.h"

#include <gtest/gtest.h>

using namespace tamarie;

namespace {
QByteArray Bytes(std::initializer_list<int> b)
{
    QByteArray out;
    for (int c : b)
        out.append(char(c));
    return out;
}
} // namespace

TEST(TextCodec, Cp932KnownCharacters)
{
    // あ = 82 A0, 予 = 97 5C (trail byte is the ASCII backslash), 定 = 92 E8.
    EXPECT_EQ(DecodeCp932(Bytes({0x82, 0xA0, 0x97, 0x5C, 0x92, 0xE8})), QStringLiteral("あ予定"));
    EXPECT_EQ(*EncodeCp932(u"あ予定"), Bytes({0x82, 0xA0, 0x97, 0x5C, 0x92, 0xE8}));
    // Half-width katakana are single bytes; ASCII backslash stays a backslash.
    EXPECT_EQ(DecodeCp932(Bytes({0xB1, 0x5C})), QStringLiteral("ｱ\\"));
    EXPECT_EQ(*EncodeCp932(u"C:\\写真"), Bytes({'C', ':', 0x5C, 0x8E, 0xCA, 0x90, 0x5E}));
}

TEST(TextCodec, Cp932CannotHoldEverything)
{
    EXPECT_FALSE(EncodeCp932(u"☃").has_value());
    EXPECT_FALSE(EncodeCp932(QString::fromUtf8("寿司🍣")).has_value());
    EXPECT_FALSE(EncodeCp932(QString(QChar(0xD800))).has_value()); // lone high surrogate
}

TEST(TextCodec, UndecodableBytesSurviveARoundTrip)
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray in = Bytes({'a', b, 'z'});
        // A few characters have two codes in code page 932; the text is what must survive.
        EXPECT_EQ(DecodeCp932(*EncodeCp932(DecodeCp932(in))), DecodeCp932(in)) << b;
        const QByteArray alone = Bytes({b, '\n'});
        if (DecodeCp932(alone).front().isSurrogate()) {
            EXPECT_EQ(*EncodeCp932(DecodeCp932(alone)), alone) << b;
        }
        EXPECT_EQ(*EncodeUtf8(DecodeUtf8(in.constData(), in.size())), in) << b;
    }
    // A lead byte at the very end, and one followed by a byte that cannot trail.
    for (const QByteArray &in : {Bytes({'x', 0x82}), Bytes({0x82, 0x0A, 0x41}), Bytes({0xFF, 0xFD, 0xA0, 0x80})})
        EXPECT_EQ(*EncodeCp932(DecodeCp932(in)), in);
}

TEST(TextCodec, StrayBytesNeverPairUpWithARecodedCharacter)
{
    // EE EE is unassigned; EE 5B has a second code (FB 77) that the encoder
    // prefers, after which the stray EE would pair with the next byte.
    const QByteArray in = Bytes({0xEE, 0xEE, 0xEE, 0x5B});
    const QString text = DecodeCp932(in);
    const auto out = EncodeCp932(text);
    if (out) {
        EXPECT_EQ(DecodeCp932(*out), text);
    }
    EXPECT_EQ(DecodeText(*EncodeText(text, TextEncoding::Utf16LeBom)).text, text);
}

TEST(TextCodec, DetectsEncodingByMark)
{
    const DecodedText u16 = DecodeText(Bytes({0xFF, 0xFE, 0x42, 0x30, 'a', 0}));
    EXPECT_EQ(u16.encoding, TextEncoding::Utf16LeBom);
    EXPECT_EQ(u16.text, QStringLiteral("あa"));

    const DecodedText u8 = DecodeText(Bytes({0xEF, 0xBB, 0xBF, 0xE3, 0x81, 0x82}));
    EXPECT_EQ(u8.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(u8.text, QStringLiteral("あ"));

    const DecodedText sj = DecodeText(Bytes({0x82, 0xA0, '=', '1'}));
    EXPECT_EQ(sj.encoding, TextEncoding::Cp932);
    EXPECT_EQ(sj.text, QStringLiteral("あ=1"));

    const DecodedText ascii = DecodeText("[a]\r\nb=1\r\n");
    EXPECT_EQ(ascii.encoding, TextEncoding::Cp932);
}

TEST(TextCodec, Utf8WithoutMarkIsRecognised)
{
    const DecodedText t = DecodeText(QStringLiteral("k=予定あり").toUtf8());
    EXPECT_EQ(t.encoding, TextEncoding::Utf8);
    EXPECT_EQ(t.text, QStringLiteral("k=予定あり"));
}

TEST(TextCodec, EncodeTextAddsTheMark)
{
    EXPECT_EQ(*EncodeText(u"あ", TextEncoding::Utf16LeBom), Bytes({0xFF, 0xFE, 0x42, 0x30}));
    EXPECT_EQ(*EncodeText(u"あ", TextEncoding::Utf8Bom), Bytes({0xEF, 0xBB, 0xBF, 0xE3, 0x81, 0x82}));
    EXPECT_EQ(*EncodeText(u"あ", TextEncoding::Utf8), Bytes({0xE3, 0x81, 0x82}));
    const QString sushi = QString::fromUtf8("🍣");
    EXPECT_EQ(DecodeText(*EncodeText(sushi, TextEncoding::Utf16LeBom)).text, sushi);
    EXPECT_EQ(DecodeText(*EncodeText(sushi, TextEncoding::Utf8Bom)).text, sushi);
}

TEST(TextCodec, OddUtf16TailIsDropped)
{
    const DecodedText t = DecodeText(Bytes({0xFF, 0xFE, 'a', 0, 'b'}));
    EXPECT_EQ(t.text, QStringLiteral("a"));
}
