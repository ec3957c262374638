// Lengths and pictures at a display's scale. The program's lengths are written as they are at
// 96 dpi (100 %); the window's DPI, which the system gives, is in ui/dpi.h.
#pragma once

namespace sb {

inline constexpr int kBaseDpi = 96;

// `length` measured at `fromDpi`, at `toDpi`: rounded to the nearest pixel, halves away from
// zero, as the system's MulDiv rounds.
constexpr int ScaleBetween(int length, int toDpi, int fromDpi) {
    const long long product = static_cast<long long>(length) * toDpi;
    const long long half = fromDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / fromDpi
                                         : -((-product + half) / fromDpi));
}

// A 96-dpi length at `dpi`.
constexpr int Scale(int length, int dpi) {
    return ScaleBetween(length, dpi, kBaseDpi);
}

// The pictures are drawn at these sizes; a scale between two takes the smaller, so that a
// picture is never stretched.
inline constexpr int kPictureSizes[] = {16, 20, 24, 32};

constexpr int PictureSize(int dpi) {
    int chosen = kPictureSizes[0];
    for (const int size : kPictureSizes) {
        if (size * kBaseDpi <= kPictureSizes[0] * dpi) {
            chosen = size;
        }
    }
    return chosen;
}

// Each picture is one resource per size: the 16-px one's id, plus this step for each size
// above it.
inline constexpr int kPictureIdStep = 1000;

constexpr int PictureResourceId(int baseId, int pictureSize) {
    int index = 0;
    for (const int size : kPictureSizes) {
        if (size == pictureSize) {
            return baseId + index * kPictureIdStep;
        }
        ++index;
    }
    return baseId;
}

} // namespace sb
