#include "ui/qt/light_shape.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vandrel {
namespace {

// `pixel` (premultiplied) at `alpha` (0-255), each channel rounded as the painter rounds it.
QRgb AtAlpha(QRgb pixel, QRgb alpha) {
  QRgb red_blue = (pixel & 0xFF00FFu) * alpha;
  red_blue = ((red_blue + ((red_blue >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
  QRgb alpha_green = ((pixel >> 8) & 0xFF00FFu) * alpha;
  alpha_green = (alpha_green + ((alpha_green >> 8) & 0xFF00FFu) + 0x800080u) & 0xFF00FF00u;
  return alpha_green | red_blue;
}

// SourceOver: `source` over `destination`. Exact at the ends too: a solid source replaces the
// destination and a clear one leaves it.
QRgb Over(QRgb source, QRgb destination) {
  return source + AtAlpha(destination, static_cast<QRgb>(255 - qAlpha(source)));
}

#if defined(__SSE2__)
// AtAlpha on four pixels, `alpha` in each 16-bit half of each pixel; the painter's own SIMD blends
// round the same way.
__m128i AtAlpha(__m128i pixels, __m128i alpha) {
  const __m128i low_bytes = _mm_set1_epi32(0x00FF00FF);
  const __m128i half = _mm_set1_epi16(0x80);
  __m128i red_blue = _mm_mullo_epi16(_mm_and_si128(pixels, low_bytes), alpha);
  red_blue = _mm_add_epi16(_mm_add_epi16(red_blue, _mm_srli_epi16(red_blue, 8)), half);
  __m128i alpha_green = _mm_mullo_epi16(_mm_srli_epi16(pixels, 8), alpha);
  alpha_green = _mm_add_epi16(_mm_add_epi16(alpha_green, _mm_srli_epi16(alpha_green, 8)), half);
  return _mm_or_si128(_mm_srli_epi16(red_blue, 8), _mm_andnot_si128(low_bytes, alpha_green));
}
#endif

// `source` over each of `count` pixels.
void OverEach(QRgb* pixels, int count, QRgb source) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i rest = _mm_set1_epi16(static_cast<short>(255 - qAlpha(source)));
  const __m128i solid = _mm_set1_epi32(static_cast<int>(source));
  for (; x + 4 <= count; x += 4) {
    auto* four = reinterpret_cast<__m128i*>(pixels + x);
    _mm_storeu_si128(four, _mm_add_epi32(solid, AtAlpha(_mm_loadu_si128(four), rest)));
  }
#endif
  for (; x < count; ++x) pixels[x] = Over(source, pixels[x]);
}

// Each of `count` pixels of `from` over the same of `to`.
void OverRow(const QRgb* from, QRgb* to, int count) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i opaque = _mm_set1_epi32(0x00FF00FF);
  for (; x + 4 <= count; x += 4) {
    const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
    const __m128i alpha = _mm_srli_epi32(source, 24);
    const __m128i rest = _mm_sub_epi16(opaque, _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16)));
    auto* four = reinterpret_cast<__m128i*>(to + x);
    _mm_storeu_si128(four, _mm_add_epi32(source, AtAlpha(_mm_loadu_si128(four), rest)));
  }
#endif
  for (; x < count; ++x) to[x] = Over(from[x], to[x]);
}

// The light's colour at `alpha` over each alpha of the shape, the solid one included.
using Tints = std::array<QRgb, 256>;

QRgb* Row(uchar* origin, qsizetype stride, int y) {
  return reinterpret_cast<QRgb*>(origin + y * stride);
}

// The start of `image`'s pixel `at` (in it); rows follow at its bytesPerLine.
uchar* Origin(QImage& image, QPoint at) {
  return image.bits() + at.y() * image.bytesPerLine() + at.x() * qsizetype{4};
}

}  // namespace

void LightShape::Split(const QImage& shape) {
  size_ = shape.size();
  runs_.clear();
  edge_alphas_.clear();
  alphas_.clear();
  for (int y = 0; y < shape.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
    for (int x = 0; x < shape.width(); ++x) {
      const int alpha = qAlpha(row[x]);
      if (alpha == 0) continue;
      const bool solid = alpha == 255;
      const bool continues = !runs_.empty() && runs_.back().y == y && runs_.back().end == x &&
                             (runs_.back().alphas < 0) == solid;
      if (!continues) {
        runs_.push_back({y, x, x, solid ? -1 : static_cast<int>(edge_alphas_.size())});
      }
      ++runs_.back().end;
      if (solid) continue;
      edge_alphas_.push_back(static_cast<uchar>(alpha));
      if (std::ranges::find(alphas_, alpha) == alphas_.end())
        alphas_.push_back(static_cast<uchar>(alpha));
    }
  }
}

void LightShape::TintsOf(QRgb colour, int alpha, Tints& tints) const {
  const auto at_alpha = static_cast<QRgb>(alpha);
  tints[255] = AtAlpha(colour | 0xFF000000u, at_alpha);
  for (const uchar edge : alphas_)
    tints[edge] = AtAlpha(qPremultiply(colour | QRgb{edge} << 24), at_alpha);
}

void LightShape::Tint(QImage& into, QRgb colour, int alpha) const {
  Tints tints;
  TintsOf(colour, alpha, tints);
  uchar* const origin = Origin(into, QPoint());
  const qsizetype stride = into.bytesPerLine();
  for (const Run& run : runs_) {
    QRgb* pixels = Row(origin, stride, run.y);
    if (run.alphas < 0) {
      std::fill(pixels + run.begin, pixels + run.end, tints[255]);
      continue;
    }
    const uchar* alphas = edge_alphas_.data() + run.alphas;
    for (int x = run.begin; x < run.end; ++x) pixels[x] = tints[alphas[x - run.begin]];
  }
}

bool LightShape::BlendOnto(QImage& onto, QPoint at, QRgb colour, int alpha) const {
  if (!onto.rect().contains(QRect(at, size_))) return false;
  Tints tints;
  TintsOf(colour, alpha, tints);
  uchar* const origin = Origin(onto, at);
  const qsizetype stride = onto.bytesPerLine();
  for (const Run& run : runs_) {
    QRgb* pixels = Row(origin, stride, run.y) + run.begin;
    const int count = run.end - run.begin;
    if (run.alphas < 0) {
      OverEach(pixels, count, tints[255]);
      continue;
    }
    // The edge's tints in a row of their own, blended the way a picture is.
    constexpr int kChunk = 64;
    std::array<QRgb, kChunk> tinted;
    const uchar* alphas = edge_alphas_.data() + run.alphas;
    for (int done = 0; done < count; done += kChunk) {
      const int chunk = std::min(kChunk, count - done);
      for (int i = 0; i < chunk; ++i) tinted[static_cast<std::size_t>(i)] = tints[alphas[done + i]];
      OverRow(tinted.data(), pixels + done, chunk);
    }
  }
  return true;
}

bool BlendPicture(QImage& onto, QPoint at, const QImage& picture) {
  if (!onto.rect().contains(QRect(at, picture.size()))) return false;
  uchar* const origin = Origin(onto, at);
  const qsizetype stride = onto.bytesPerLine();
  const int width = picture.width();
  const int height = picture.height();
  for (int y = 0; y < height; ++y) {
    OverRow(reinterpret_cast<const QRgb*>(picture.constScanLine(y)), Row(origin, stride, y), width);
  }
  return true;
}

}  // namespace vandrel
