#include "win32/wic_rows.h"

#include <wincodec.h>

namespace orv::win {
namespace {

// Holds one COM interface and releases it.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** out() { return &p_; }

 private:
  T* p_ = nullptr;
};

// How a kind is decoded and turned into our pixels.
struct Decoding {
  GUID container;
  WICPixelFormatGUID format;  // converted to, a row at a time
  bool transparent;           // clear pixels are drawn black, as over a black page
};

Decoding DecodingOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::kGif:
      return {GUID_ContainerFormatGif, GUID_WICPixelFormat32bppBGRA, true};
    case PictureKind::kBmp:
      return {GUID_ContainerFormatBmp, GUID_WICPixelFormat32bppBGR, false};
    default:
      return {GUID_ContainerFormatJpeg, GUID_WICPixelFormat32bppBGR, false};
  }
}

class WicRows final : public PictureRows {
 public:
  WicRows(std::string bytes, Decoding decoding)
      : bytes_(std::move(bytes)), decoding_(decoding) {}

  // Decoder, frame and a converter to 32 bits a pixel over the bytes; false on refusal.
  bool Open() {
    if (bytes_.empty() || bytes_.size() > 0xFFFFFFFF) return false;
    UINT width = 0, height = 0;
    void** factory = reinterpret_cast<void**>(factory_.out());
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory)) ||
        FAILED(factory_->CreateStream(stream_.out())) ||
        FAILED(stream_->InitializeFromMemory(reinterpret_cast<BYTE*>(bytes_.data()),
                                             static_cast<DWORD>(bytes_.size()))) ||
        FAILED(factory_->CreateDecoder(decoding_.container, nullptr, decoder_.out())) ||
        FAILED(decoder_->Initialize(stream_.get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder_->GetFrame(0, frame_.out())) || FAILED(frame_->GetSize(&width, &height)) ||
        FAILED(factory_->CreateFormatConverter(converter_.out())) ||
        FAILED(converter_->Initialize(frame_.get(), decoding_.format,
                                      WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom))) {
      return false;
    }
    if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF) return false;
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    return true;
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  bool ReadRow(int y, uint32_t* row) override {
    if (y < 0 || y >= height_) return false;
    const WICRect rect{0, y, width_, 1};
    const UINT stride = static_cast<UINT>(width_) * 4;
    if (FAILED(converter_->CopyPixels(&rect, stride, stride, reinterpret_cast<BYTE*>(row)))) {
      return false;
    }
    for (int x = 0; x < width_; ++x) {
      const bool clear = decoding_.transparent && (row[x] & 0x80000000) == 0;
      row[x] = clear ? 0 : row[x] & 0x00FFFFFF;  // the fourth byte is no colour
    }
    return true;
  }

 private:
  std::string bytes_;  // the stream reads them: declared first, freed last
  Decoding decoding_;
  Com<IWICImagingFactory> factory_;
  Com<IWICStream> stream_;
  Com<IWICBitmapDecoder> decoder_;
  Com<IWICBitmapFrameDecode> frame_;
  Com<IWICFormatConverter> converter_;
  int width_ = 0, height_ = 0;
};

}  // namespace

std::unique_ptr<PictureRows> OpenDecodedRows(std::string bytes, PictureKind kind) {
  auto rows = std::make_unique<WicRows>(std::move(bytes), DecodingOf(kind));
  if (!rows->Open()) return nullptr;
  return rows;
}

}  // namespace orv::win
