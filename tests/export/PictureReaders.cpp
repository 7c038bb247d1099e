#include "export/PictureReaders.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <fstream>
#include <iterator>
#include <memory>

#include "export/PictureKind.h"

namespace tonzug::testing {
namespace {

std::uint32_t PackPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xFF000000u | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

struct JpegReadErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegReadError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegReadErrors*>(info->err)->jump, 1);
}

// Frames between setjmp and longjmp hold nothing with a destructor.
bool DecodeJpeg(std::FILE* file, JpegReadErrors* errors, jpeg_decompress_struct* info,
                DecodedPicture* picture) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_stdio_src(info, file);
    jpeg_read_header(info, TRUE);
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    picture->width = static_cast<std::int32_t>(info->output_width);
    picture->height = static_cast<std::int32_t>(info->output_height);
    picture->pixels.resize(static_cast<std::size_t>(info->output_width) * info->output_height);
    // Freed by the library together with the decompressor.
    JSAMPARRAY rows = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                 info->output_width * 3, 1);
    JSAMPROW row = rows[0];
    while (info->output_scanline < info->output_height) {
        const std::size_t y = info->output_scanline;
        jpeg_read_scanlines(info, &row, 1);
        for (std::size_t x = 0; x < info->output_width; ++x) {
            picture->pixels[y * info->output_width + x] =
                PackPixel(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        }
    }
    jpeg_finish_decompress(info);
    return true;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

}  // namespace

namespace {

// The pixels of an 8-bit PNG in the simplified API's `format`, with the format the file has.
struct PngBytes {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    png_uint_32 fileFormat = 0;
    std::vector<std::uint8_t> bytes;
};

std::optional<PngBytes> ReadPngBytes(const std::string& path, png_uint_32 format) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return std::nullopt;
    }
    PngBytes read{image.width, image.height, image.format, {}};
    image.format = format;
    read.bytes.resize(PNG_IMAGE_SIZE(image));
    // A warning ("Too much image data", a bad checksum) is a fault of the writer here.
    if (png_image_finish_read(&image, nullptr, read.bytes.data(), 0, nullptr) == 0 ||
        image.warning_or_error != 0) {
        png_image_free(&image);
        return std::nullopt;
    }
    return read;
}

}  // namespace

std::optional<DecodedPicture> ReadPng(const std::string& path) {
    const std::optional<PngBytes> read = ReadPngBytes(path, PNG_FORMAT_RGB);
    if (!read) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t>& bytes = read->bytes;
    DecodedPicture picture;
    picture.width = static_cast<std::int32_t>(read->width);
    picture.height = static_cast<std::int32_t>(read->height);
    picture.pixels.resize(bytes.size() / 3);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] = PackPixel(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
    }
    return picture;
}

std::optional<DecodedRgba> ReadPngRgba(const std::string& path) {
    const std::optional<PngBytes> read = ReadPngBytes(path, PNG_FORMAT_RGBA);
    if (!read) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t>& bytes = read->bytes;
    DecodedRgba decoded;
    decoded.hasAlpha = (read->fileFormat & PNG_FORMAT_FLAG_ALPHA) != 0;
    decoded.picture.width = static_cast<std::int32_t>(read->width);
    decoded.picture.height = static_cast<std::int32_t>(read->height);
    decoded.picture.pixels.resize(bytes.size() / 4);
    for (std::size_t i = 0; i < decoded.picture.pixels.size(); ++i) {
        decoded.picture.pixels[i] =
            (std::uint32_t{bytes[4 * i + 3]} << 24) |
            (PackPixel(bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2]) & 0x00FFFFFFu);
    }
    return decoded;
}

// The files carry no gamma, so libpng takes 16-bit samples as linear and hands them over
// unchanged in the linear format.
std::optional<std::vector<std::uint16_t>> ReadPng16(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return std::nullopt;
    }
    std::vector<std::uint16_t> samples(PNG_IMAGE_SIZE(image) / 2);
    const bool read = image.format == PNG_FORMAT_LINEAR_RGB &&
                      png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr) != 0 &&
                      image.warning_or_error == 0;
    png_image_free(&image);
    if (!read) {
        return std::nullopt;
    }
    return samples;
}

namespace {

void OnPngReadError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Frames between setjmp and longjmp hold nothing with a destructor.
bool DecodePngSamples(std::FILE* file, png_structp png, png_infop info, PngSamples* picture,
                      std::vector<png_bytep>* rows, std::vector<png_byte>* bytes) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    picture->width = static_cast<std::int32_t>(png_get_image_width(png, info));
    picture->height = static_cast<std::int32_t>(png_get_image_height(png, info));
    picture->colorType = png_get_color_type(png, info);
    picture->bitDepth = png_get_bit_depth(png, info);
    picture->channels = png_get_channels(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    bytes->resize(rowBytes * static_cast<std::size_t>(picture->height));
    rows->resize(static_cast<std::size_t>(picture->height));
    for (std::size_t y = 0; y < rows->size(); ++y) {
        (*rows)[y] = bytes->data() + y * rowBytes;
    }
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

std::optional<PngSamples> ReadPngSamples(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngReadError, nullptr);
    png_infop info = png_create_info_struct(png);
    PngSamples picture;
    std::vector<png_bytep> rows;
    std::vector<png_byte> bytes;
    const bool ok = DecodePngSamples(file.get(), png, info, &picture, &rows, &bytes);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        return std::nullopt;
    }
    const bool deep = picture.bitDepth == 16;
    picture.samples.resize(bytes.size() / (deep ? 2 : 1));
    for (std::size_t i = 0; i < picture.samples.size(); ++i) {
        picture.samples[i] =
            deep ? static_cast<std::uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]) : bytes[i];
    }
    return picture;
}

std::optional<DecodedPicture> ReadJpeg(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    JpegReadErrors errors{};
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegReadError;
    DecodedPicture picture;
    const bool ok = DecodeJpeg(file.get(), &errors, &info, &picture);
    jpeg_destroy_decompress(&info);
    if (!ok) {
        return std::nullopt;
    }
    return picture;
}

std::optional<DecodedPicture> ReadBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' ||
        LittleEndian(bytes, 2, 4) != bytes.size() || LittleEndian(bytes, 14, 4) != 40 ||
        LittleEndian(bytes, 26, 2) != 1 || LittleEndian(bytes, 28, 2) != 24 ||
        LittleEndian(bytes, 30, 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t offset = LittleEndian(bytes, 10, 4);
    const auto width = static_cast<std::int32_t>(LittleEndian(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(LittleEndian(bytes, 22, 4));
    if (width < 1 || height < 1) {
        return std::nullopt;
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (offset + stride * static_cast<std::size_t>(height) != bytes.size() ||
        LittleEndian(bytes, 34, 4) != stride * static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    DecodedPicture picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        // Bottom-up: the first stored row is the bottom row.
        const std::size_t rowStart = offset + static_cast<std::size_t>(height - 1 - y) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t at = rowStart + static_cast<std::size_t>(x) * 3;
            picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)] =
                PackPixel(static_cast<std::uint8_t>(bytes[at + 2]),
                          static_cast<std::uint8_t>(bytes[at + 1]),
                          static_cast<std::uint8_t>(bytes[at]));
        }
    }
    return picture;
}

std::optional<DecodedPicture> ReadPicture(const std::string& path) {
    switch (PictureKindFromPath(path).value_or(PictureKind::kBmp)) {
        case PictureKind::kPng:
            return ReadPng(path);
        case PictureKind::kJpeg:
            return ReadJpeg(path);
        case PictureKind::kBmp:
            return ReadBmp(path);
        case PictureKind::kSvg:
            break;
    }
    return std::nullopt;
}

}  // namespace tonzug::testing
