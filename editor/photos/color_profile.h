#pragma once
// Colours of a photo brought to sRGB, the space the screen, the saved
// pictures and the printer's driver take a picture's numbers in.  Little CMS
// reads every kind of ICC profile (matrix and look-up-table ones, version 2
// and 4); a profile it cannot read leaves the pixels as they are.
#include <QByteArray>
#include <QImage>

#include <memory>

namespace tamarie {

// Converts image (RGB32, ARGB32 or ARGB32_Premultiplied) in place from the
// space the ICC profile describes (RGB or grey) to sRGB.  False, with the
// image untouched, when the profile is missing, unreadable, of another kind,
// or sRGB already.
bool ConvertToSrgb(QImage &image, const QByteArray &icc);

// The colour description HEIF and AVIF give without a profile (ITU-T H.273
// code points).  A profile is made for the primaries photos come in
// (Display P3, BT.2020) with their transfer curve.
struct CodedColour {
    int primaries = 2;  // 1 BT.709/sRGB, 2 unspecified, 9 BT.2020, 11 DCI-P3, 12 Display P3
    int transfer = 2;   // 1, 6, 14, 15 BT.709-like, 13 sRGB, 2 unspecified
};
bool ConvertToSrgb(QImage &image, const CodedColour &colour);

// An sRGB ICC profile (version 2, which every reader takes), for the
// pictures the program writes.
QByteArray SrgbIccProfile();

// Rows of CMYK (as JPEG stores them, Adobe's inverted values when inverted)
// to 0xFFRRGGBB, through the profile where one is given and readable.
class CmykRows {
public:
    CmykRows(const QByteArray &icc, bool inverted);
    ~CmykRows();
    void Convert(const uchar *cmyk, quint32 *rgb, int width) const;

private:
    struct Transform;
    std::unique_ptr<Transform> transform_;
    bool inverted_;
};

} // namespace tamarie
