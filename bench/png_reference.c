/* The reference the export is measured against: a minimal program that streams a
 * gradient's rows to libpng on one thread, with the compression settings of the export
 * (zlib level 1, run-length strategy, one fixed filter per picture).
 *
 *   png_reference WIDTH HEIGHT SHAPE OUT.png     SHAPE: 0 horizontal, 1 vertical, 2 circle
 */
#include <math.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <zlib.h>

static const unsigned char kStart[3] = {255, 32, 0};
static const unsigned char kEnd[3] = {0, 48, 255};

static void Blend(double t, unsigned char* out) {
    for (int c = 0; c < 3; ++c) {
        out[c] = (unsigned char)lround(kStart[c] + (kEnd[c] - kStart[c]) * t);
    }
}

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT SHAPE OUT.png\n", argv[0]);
        return 2;
    }
    const long width = atol(argv[1]);
    const long height = atol(argv[2]);
    const int shape = atoi(argv[3]);
    FILE* file = fopen(argv[4], "wb");
    if (width < 1 || height < 1 || file == NULL) {
        return 1;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    unsigned char* row = malloc((size_t)width * 3);
    if (png == NULL || info == NULL || row == NULL || setjmp(png_jmpbuf(png))) {
        return 1;
    }
    png_init_io(png, file);
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_buffer_size(png, 1 << 18);
    /* Rows of one colour filter to zeros with Sub, repeated rows with Up. */
    png_set_filter(png, PNG_FILTER_TYPE_BASE, shape == 1 ? PNG_FILTER_SUB : PNG_FILTER_UP);
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double radius = sqrt(cx * cx + cy * cy);
    if (shape == 0) {
        for (long x = 0; x < width; ++x) {
            Blend((double)x / width, row + 3 * x);
        }
    }
    for (long y = 0; y < height; ++y) {
        if (shape == 1) {
            Blend((double)y / height, row);
            for (long x = 1; x < width; ++x) {
                row[3 * x] = row[0];
                row[3 * x + 1] = row[1];
                row[3 * x + 2] = row[2];
            }
        } else if (shape == 2) {
            const double dy = y + 0.5 - cy;
            for (long x = 0; x < width; ++x) {
                const double dx = x + 0.5 - cx;
                Blend(sqrt(dx * dx + dy * dy) / radius, row + 3 * x);
            }
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    free(row);
    return fclose(file) == 0 ? 0 : 1;
}
