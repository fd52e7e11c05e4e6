// Draws the program's icon and writes it as a one-image .ico file:
//   make_icon <output.ico>
// The picture is a blue cloud with a white downward arrow, 64x64, 32 bits per
// pixel with a real alpha channel. Shapes are signed distance fields, so edges are
// anti-aliased by coverage without any supersampling. Only +, *, / and sqrt are
// used, which IEEE arithmetic rounds exactly, so every run writes the same bytes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr int kSize = 64;
constexpr uint32_t kXorBytes = kSize * kSize * 4;     // 16384
constexpr uint32_t kAndRowBytes = kSize / 8;          // 64 bits, already 4-byte aligned
constexpr uint32_t kAndBytes = kAndRowBytes * kSize;  // 512
constexpr uint32_t kHeaderBytes = 40;
constexpr uint32_t kImageBytes = kHeaderBytes + kXorBytes + kAndBytes;  // 16936
constexpr uint32_t kImageOffset = 6 + 16;                               // ICONDIR + one entry

struct Vec {
  double x;
  double y;
};

struct Rgba {
  double r;
  double g;
  double b;
  double a;
};

double length(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y); }
Vec sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

double sd_circle(Vec p, Vec centre, double radius) { return length(sub(p, centre)) - radius; }

// Box centred on `centre` with half extents `half`, corners rounded by `radius`.
double sd_round_box(Vec p, Vec centre, Vec half, double radius) {
  const double qx = std::abs(p.x - centre.x) - (half.x - radius);
  const double qy = std::abs(p.y - centre.y) - (half.y - radius);
  const double outside = length({std::max(qx, 0.0), std::max(qy, 0.0)});
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Exact distance to a convex or concave polygon; negative inside.
template <size_t N>
double sd_polygon(Vec p, const std::array<Vec, N>& v) {
  double d = dot(sub(p, v[0]), sub(p, v[0]));
  double sign = 1.0;
  for (size_t i = 0, j = N - 1; i < N; j = i, ++i) {
    const Vec e = sub(v[j], v[i]);
    const Vec w = sub(p, v[i]);
    const double t = std::clamp(dot(w, e) / dot(e, e), 0.0, 1.0);
    const Vec b = {w.x - e.x * t, w.y - e.y * t};
    d = std::min(d, dot(b, b));
    const bool c1 = p.y >= v[i].y;
    const bool c2 = p.y < v[j].y;
    const bool c3 = e.x * w.y > e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
  }
  return sign * std::sqrt(d);
}

// Polynomial smooth minimum: merges the cloud's lobes without creases.
double smooth_min(double a, double b, double k) {
  const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
  return b + (a - b) * h - k * h * (1.0 - h);
}

// Pixel coverage of a shape from its distance at the pixel centre (1 px ramp).
double coverage(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }

double mix(double a, double b, double t) { return a + (b - a) * t; }

double sd_cloud(Vec p) {
  double d = sd_round_box(p, {32.0, 42.0}, {27.0, 12.0}, 12.0);
  d = smooth_min(d, sd_circle(p, {21.0, 32.0}, 12.0), 3.0);
  d = smooth_min(d, sd_circle(p, {37.0, 26.0}, 16.0), 3.0);
  d = smooth_min(d, sd_circle(p, {50.0, 36.0}, 9.0), 3.0);
  return d;
}

double sd_arrow(Vec p) {
  const double shaft = sd_round_box(p, {32.0, 30.0}, {5.0, 10.0}, 1.5);
  static const std::array<Vec, 3> head = {{{19.0, 36.0}, {45.0, 36.0}, {32.0, 50.0}}};
  // Slightly rounded head so its tip does not alias into a single bright pixel.
  const double tip = sd_polygon(p, head) - 1.0;
  return std::min(shaft, tip);
}

Rgba shade(Vec p) {
  const double cloud = sd_cloud(p);
  const double a = coverage(cloud);
  if (a <= 0.0) return {0.0, 0.0, 0.0, 0.0};

  // Lighter blue at the top, deeper at the bottom.
  const double t = std::clamp((p.y - 10.0) / 44.0, 0.0, 1.0);
  Rgba c = {mix(96.0, 24.0, t), mix(178.0, 110.0, t), mix(255.0, 214.0, t), a};

  // A darker rim keeps the outline visible on light backgrounds.
  const double rim = std::clamp(cloud + 2.0, 0.0, 1.0);
  c.r = mix(c.r, 14.0, rim * 0.8);
  c.g = mix(c.g, 72.0, rim * 0.8);
  c.b = mix(c.b, 160.0, rim * 0.8);

  const double arrow = coverage(sd_arrow(p));
  c.r = mix(c.r, 255.0, arrow);
  c.g = mix(c.g, 255.0, arrow);
  c.b = mix(c.b, 255.0, arrow);
  return c;
}

uint8_t to_byte(double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0) + 0.5); }

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFFu);
  put16(out, v >> 16);
}

std::vector<uint8_t> build_icon() {
  // Pixels top-down as drawn; the DIB below stores them bottom-up.
  std::vector<std::array<uint8_t, 4>> bgra(kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgba c = shade({x + 0.5, y + 0.5});
      const uint8_t alpha = to_byte(c.a * 255.0);
      // Fully transparent pixels carry black so the colour bytes hold no stray data.
      bgra[y * kSize + x] = alpha == 0 ? std::array<uint8_t, 4>{0, 0, 0, 0}
                                       : std::array<uint8_t, 4>{to_byte(c.b), to_byte(c.g), to_byte(c.r), alpha};
    }
  }

  std::vector<uint8_t> out;
  out.reserve(kImageOffset + kImageBytes);
  // ICONDIR
  put16(out, 0);
  put16(out, 1);
  put16(out, 1);
  // ICONDIRENTRY
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(0);  // no palette
  out.push_back(0);
  put16(out, 1);   // planes
  put16(out, 32);  // bits per pixel
  put32(out, kImageBytes);
  put32(out, kImageOffset);
  // BITMAPINFOHEADER; the height counts the XOR bitmap and the AND mask together.
  put32(out, kHeaderBytes);
  put32(out, kSize);
  put32(out, kSize * 2);
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // BI_RGB
  put32(out, kXorBytes + kAndBytes);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  // XOR bitmap, bottom-up.
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x) out.insert(out.end(), bgra[y * kSize + x].begin(), bgra[y * kSize + x].end());
  }
  // AND mask, bottom-up, leftmost pixel in the high bit: set where nothing is drawn,
  // so programs that ignore alpha still show a transparent background.
  for (int y = kSize - 1; y >= 0; --y) {
    for (uint32_t byte = 0; byte < kAndRowBytes; ++byte) {
      uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = static_cast<int>(byte) * 8 + bit;
        if (bgra[y * kSize + x][3] == 0) bits |= static_cast<uint8_t>(0x80u >> bit);
      }
      out.push_back(bits);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon <output.ico>\n");
    return 2;
  }
  const std::vector<uint8_t> icon = build_icon();
  if (icon.size() != kImageOffset + kImageBytes) {
    std::fprintf(stderr, "make_icon: internal error: icon is %zu bytes\n", icon.size());
    return 1;
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(icon.data(), 1, icon.size(), f) == icon.size();
  // fclose flushes the buffer, so a full disk may only show up here.
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::perror(argv[1]);
    // Leave no half-written icon for the resource compiler, but only ever delete a
    // plain file: the output may be a device or a pipe.
    std::error_code ec;
    if (std::filesystem::is_regular_file(argv[1], ec)) std::filesystem::remove(argv[1], ec);
    return 1;
  }
  return 0;
}
