#include "ui/qt/light_shape.h"

#include <algorithm>
#include <array>
#include <atomic>

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

// What SourceOver leaves of the destination under `source`.
QRgb Rest(QRgb source) { return static_cast<QRgb>(255 - qAlpha(source)); }

// SourceOver: `source` over `destination`. Exact at the ends too: a solid source replaces the
// destination and a clear one leaves it.
QRgb Over(QRgb source, QRgb destination) { return source + AtAlpha(destination, Rest(source)); }

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

// Each of `count` pixels of `from` at `alpha`, into `to`.
void FadeEach(const QRgb* from, QRgb* to, int count, QRgb alpha) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i wide = _mm_set1_epi16(static_cast<short>(alpha));
  for (; x + 4 <= count; x += 4) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), AtAlpha(four, wide));
  }
#endif
  for (; x < count; ++x) to[x] = AtAlpha(from[x], alpha);
}

#if defined(__SSE2__)
// `four(x)` for the pixels of a run of `count`, four at a time from `x`, for an operation that may
// be done twice on a pixel. A light's runs are short (a key's row, cut by its plate), so a run's
// last pixels are done as the four that end it, some of them twice. False, with nothing done, for a
// run of fewer than four.
template <typename Four>
bool ByFours(int count, Four four) {
  if (count < 4) return false;
  for (int x = 0; x + 4 <= count; x += 4) four(x);
  if (count % 4 != 0) four(count - 4);
  return true;
}
#endif

// `tint` plus each of `count` pixels of `faded`, into `to`: a SourceOver whose destination was
// faded already.
void AddEach(const QRgb* faded, QRgb* to, int count, QRgb tint) {
#if defined(__SSE2__)
  const __m128i tints = _mm_set1_epi32(static_cast<int>(tint));
  if (ByFours(count, [&](int x) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(faded + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_add_epi32(tints, four));
      })) {
    return;
  }
#endif
  for (int x = 0; x < count; ++x) to[x] = tint + faded[x];
}

// `count` pixels of `to` set to `pixel`: the loop the compiler makes of std::fill stores one pixel
// at a time.
void FillEach(QRgb* to, int count, QRgb pixel) {
#if defined(__SSE2__)
  const __m128i pixels = _mm_set1_epi32(static_cast<int>(pixel));
  if (ByFours(count,
              [&](int x) { _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), pixels); })) {
    return;
  }
#endif
  for (int x = 0; x < count; ++x) to[x] = pixel;
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

const QRgb* Row(const QImage& image, QPoint at, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(at.y() + y)) + at.x();
}

}  // namespace

void LightShape::Split(const QImage& shape) {
  static std::atomic<quint64> splits{0};
  split_ = ++splits;
  size_ = shape.size();
  runs_.clear();
  edge_alphas_.clear();
  alphas_.clear();
  for (int y = 0; y < shape.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
    for (int x = 0; x < shape.width(); ++x) {
      const int alpha = qAlpha(row[x]);
      if (alpha != 0) Add(y, x, alpha);
    }
  }
}

void LightShape::Add(int y, int x, int alpha) {
  const bool solid = alpha == 255;
  const bool continues = !runs_.empty() && runs_.back().y == y && runs_.back().end == x &&
                         (runs_.back().alphas < 0) == solid;
  if (!continues) runs_.push_back({y, x, x, solid ? -1 : static_cast<int>(edge_alphas_.size())});
  ++runs_.back().end;
  if (solid) return;
  edge_alphas_.push_back(static_cast<uchar>(alpha));
  if (std::ranges::find(alphas_, alpha) == alphas_.end())
    alphas_.push_back(static_cast<uchar>(alpha));
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

bool LightShape::Gather(const QImage& picture, QPoint at, ShapePixels& under) const {
  if (!picture.rect().contains(QRect(at, size_))) return false;
  under.runs.clear();
  under.pixels.clear();
  under.split = split_;
  for (const Run& run : runs_) {
    const QRgb* row = Row(picture, at, run.y);
    const QRgb* begin = row + run.begin;
    const QRgb* end = row + run.end;
    if (run.alphas < 0 && std::all_of(begin, end, [&](QRgb pixel) { return pixel == *begin; })) {
      under.runs.push_back({-1, *begin});
      continue;
    }
    under.runs.push_back({static_cast<int>(under.pixels.size()), 0});
    under.pixels.insert(under.pixels.end(), begin, end);
  }
  return true;
}

// SourceOver is source + AtAlpha(destination, 255 - source alpha), and the tinted light's alpha
// at each pixel depends on the shape's alpha there and the light's alpha alone.
void LightShape::Fade(const ShapePixels& under, int alpha, ShapePixels& faded) const {
  faded.runs.clear();
  faded.pixels.clear();
  faded.split = 0;
  if (!Fits(under)) return;
  faded.split = split_;
  Tints tints;
  TintsOf(0, alpha, tints);
  const QRgb solid_rest = Rest(tints[255]);
  faded.runs = under.runs;
  faded.pixels.resize(under.pixels.size());
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    const Run& run = runs_[i];
    ShapePixels::Run& pixels = faded.runs[i];
    if (pixels.pixels < 0) {
      pixels.alike = AtAlpha(pixels.alike, solid_rest);
      continue;
    }
    const QRgb* from = under.pixels.data() + pixels.pixels;
    QRgb* to = faded.pixels.data() + pixels.pixels;
    const int count = run.end - run.begin;
    if (run.alphas < 0) {
      FadeEach(from, to, count, solid_rest);
      continue;
    }
    const uchar* alphas = edge_alphas_.data() + run.alphas;
    for (int x = 0; x < count; ++x) to[x] = AtAlpha(from[x], Rest(tints[alphas[x]]));
  }
}

bool LightShape::WriteFaded(QImage& onto, QPoint at, const ShapePixels& faded, QRgb colour,
                            int alpha) const {
  if (!Fits(faded) || !onto.rect().contains(QRect(at, size_))) return false;
  Tints tints;
  TintsOf(colour, alpha, tints);
  uchar* const origin = Origin(onto, at);
  const qsizetype stride = onto.bytesPerLine();
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    const Run& run = runs_[i];
    const ShapePixels::Run& pixels = faded.runs[i];
    QRgb* to = Row(origin, stride, run.y) + run.begin;
    const int count = run.end - run.begin;
    if (pixels.pixels < 0) {
      FillEach(to, count, tints[255] + pixels.alike);
      continue;
    }
    const QRgb* from = faded.pixels.data() + pixels.pixels;
    if (run.alphas < 0) {
      AddEach(from, to, count, tints[255]);
      continue;
    }
    const uchar* alphas = edge_alphas_.data() + run.alphas;
    for (int x = 0; x < count; ++x) to[x] = tints[alphas[x]] + from[x];
  }
  return true;
}

void BlendRow(const QRgb* from, QRgb* to, int count) { OverRow(from, to, count); }

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
