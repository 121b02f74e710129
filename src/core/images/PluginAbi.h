/*
 * The C interface of Tessemar's image plug-ins.
 *
 * A plug-in is a shared library named "if" + extension + ".so" in the folder "spi" beside the
 * program; it is asked about picture files with that extension (lower case: "spi/ifpcx.so"
 * for "photo.PCX") after the bitmap parser and the platform decoder have refused them. It
 * exports three functions with C linkage and these exact names:
 *
 *   int IsSupported(const char* fileName, const void* header);
 *       fileName is always NULL: the picture is in memory. header points to the first
 *       TESSEMAR_SPI_HEADER_BYTES bytes of the file (files shorter than that are never
 *       offered). Returns non-zero when the plug-in can decode the picture.
 *
 *   int GetPictureInfo(const void* data, size_t size, TessemarSpiInfo* info);
 *       Fills info for the whole file in memory. Returns TESSEMAR_SPI_OK or an error.
 *
 *   int GetPicture(const void* data, size_t size, TessemarSpiPicture* picture);
 *       Decodes the whole file in memory. On TESSEMAR_SPI_OK the plug-in has filled every field
 *       of picture; the program copies the pixels out and then calls picture->release(picture)
 *       exactly once, while the library is still loaded. On an error, picture is left alone and
 *       release is not called.
 *
 * Pixels are 32 bits, blue green red alpha in memory, rows from top to bottom, `stride` bytes
 * from one row to the next (at least width x 4). Width and height are at least 1.
 */
#ifndef TESSEMAR_CORE_IMAGES_PLUGINABI_H
#define TESSEMAR_CORE_IMAGES_PLUGINABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TESSEMAR_SPI_HEADER_BYTES 2048
#define TESSEMAR_SPI_OK 0
#define TESSEMAR_SPI_ERROR 1

typedef struct TessemarSpiInfo {
    int32_t width;
    int32_t height;
    int32_t hasAlpha; /* non-zero when the alpha bytes of the pixels are meaningful */
} TessemarSpiInfo;

typedef struct TessemarSpiPicture {
    int32_t width;
    int32_t height;
    int32_t stride;
    int32_t hasAlpha;
    const uint8_t* pixels;
    void* context; /* for the plug-in's own use */
    void (*release)(struct TessemarSpiPicture* picture);
} TessemarSpiPicture;

typedef int (*TessemarSpiIsSupported)(const char* fileName, const void* header);
typedef int (*TessemarSpiGetPictureInfo)(const void* data, size_t size, TessemarSpiInfo* info);
typedef int (*TessemarSpiGetPicture)(const void* data, size_t size, TessemarSpiPicture* picture);

#ifdef __cplusplus
}
#endif

#endif
