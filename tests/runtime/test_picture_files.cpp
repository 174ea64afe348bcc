#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "runtime/Errors.h"
#include "runtime/JpegPicture.h"
#include "runtime/PictureFile.h"
#include "runtime/PictureFormats.h"
#include "tests/runtime/jpeg_test_files.h"

#include <jerror.h>

using namespace testpics;

namespace {

std::string JpegError(int code)
{
    return "JPEG error #" + std::to_string(code);
}

#ifdef _WIN32

int OpenFileCount()
{
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return static_cast<int>(count);
}

// The most memory the process has held, from the system's own count.
long PeakMemoryKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

#else

int OpenFileCount()
{
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr)
            ++count;
        closedir(folder);
    }
    return count;
}

// The most memory the process has held, from the system's own count.
long PeakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

#endif

const std::vector<unsigned char> BitmapHeader = {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0};

Rgb PixelAt(const JpegBitmap& bitmap, int x, int y)
{
    const unsigned char* pixel =
        &bitmap.Pixels[bitmap.BytesPerRow() * std::size_t(y) + std::size_t(x * bitmap.BitsPerPixel / 8)];
    if (bitmap.BitsPerPixel == 8) {
        const auto& entry = bitmap.Palette.at(*pixel);
        return {entry[0], entry[1], entry[2]};
    }
    return {pixel[2], pixel[1], pixel[0]};
}

void ExpectNear(Rgb actual, Rgb expected, int tolerance)
{
    EXPECT_NEAR(actual.R, expected.R, tolerance);
    EXPECT_NEAR(actual.G, expected.G, tolerance);
    EXPECT_NEAR(actual.B, expected.B, tolerance);
}

} // namespace

// ---- the extension of a name ----

TEST(PictureExtension, NoExtension)
{
    EXPECT_EQ(PictureExtension(""), "");
    EXPECT_EQ(PictureExtension("picture"), "");
    EXPECT_EQ(PictureExtension("dris/"), "");
    EXPECT_EQ(PictureExtension("name."), "");
}

TEST(PictureExtension, BackslashAndColonEndTheSearch)
{
    EXPECT_EQ(PictureExtension("old.dir\\picture"), "");
    EXPECT_EQ(PictureExtension("C:picture"), "");
    EXPECT_EQ(PictureExtension("a.b:c"), "");
}

TEST(PictureExtension, SlashDoesNotEndTheSearch)
{
    EXPECT_EQ(PictureExtension("dris/7.jpg"), "jpg");
    EXPECT_EQ(PictureExtension("dris.old/7"), "old/7");
}

TEST(PictureExtension, KeptAsWritten)
{
    EXPECT_EQ(PictureExtension("A.JPG"), "JPG");
    EXPECT_EQ(PictureExtension("archive.tar.Gz"), "Gz");
    EXPECT_EQ(PictureExtension(".jpg"), "jpg");
}

// ---- the format registry ----

TEST(PictureFormats, RegisteredInOrder)
{
    const auto& formats = PictureFormats();
    ASSERT_EQ(formats.size(), 6u);
    const char* extensions[] = {"wmf", "emf", "ico", "bmp", "jpeg", "jpg"};
    const char* descriptions[] = {"Metafiles", "Enhanced Metafiles", "Icons",
                                  "Bitmaps", "JPEG Image File", "JPEG Image File"};
    const PictureKind kinds[] = {PictureKind::Metafile, PictureKind::Metafile, PictureKind::Icon,
                                 PictureKind::Bitmap, PictureKind::Jpeg, PictureKind::Jpeg};
    for (std::size_t i = 0; i < formats.size(); ++i) {
        EXPECT_EQ(formats[i].Extension, extensions[i]);
        EXPECT_EQ(formats[i].Description, descriptions[i]);
        EXPECT_EQ(formats[i].Kind, kinds[i]);
    }
}

TEST(FindPictureFormat, UnknownExtension)
{
    EXPECT_EQ(MessageOf<EInvalidGraphic>([] { FindPictureFormat("dris/5.gif"); }),
              "Unknown picture file extension (.gif)");
    EXPECT_EQ(MessageOf<EInvalidGraphic>([] { FindPictureFormat("dris/5.GiF"); }),
              "Unknown picture file extension (.GiF)");
    EXPECT_EQ(MessageOf<EInvalidGraphic>([] { FindPictureFormat("dris/5.jpgx"); }),
              "Unknown picture file extension (.jpgx)");
}

TEST(FindPictureFormat, NoExtension)
{
    EXPECT_EQ(MessageOf<EInvalidGraphic>([] { FindPictureFormat("dris/"); }),
              "Unknown picture file extension (.)");
    EXPECT_EQ(MessageOf<EInvalidGraphic>([] { FindPictureFormat("dir.jpg\\picture"); }),
              "Unknown picture file extension (.)");
}

TEST(FindPictureFormat, CaseDoesNotMatter)
{
    EXPECT_EQ(FindPictureFormat("dris/1.JPG").Extension, "jpg");
    EXPECT_EQ(FindPictureFormat("dris/1.Jpeg").Extension, "jpeg");
    EXPECT_EQ(FindPictureFormat("a.BMP").Kind, PictureKind::Bitmap);
    EXPECT_EQ(FindPictureFormat("a.Ico").Kind, PictureKind::Icon);
    EXPECT_EQ(FindPictureFormat("a.EMF").Description, "Enhanced Metafiles");
    EXPECT_EQ(FindPictureFormat("a.wmf").Description, "Metafiles");
}

// ---- full path names ----

TEST(FullPathName, RelativeJoinsTheWorkingFolder)
{
    TempFolder folder;
    WorkingFolderScope inside(folder.Path());
    const std::string base = folder.Path().string();
#ifdef _WIN32
    EXPECT_EQ(FullPathName("dris/7.jpg"), base + "\\dris\\7.jpg");
    EXPECT_EQ(FullPathName("dris/"), base + "\\dris\\");
    EXPECT_EQ(FullPathName("\\a\\..\\b.jpg"), base.substr(0, 2) + "\\b.jpg") << "the drive of the working folder";
    EXPECT_EQ(FullPathName("D:/a/./b.jpg"), "D:\\a\\b.jpg");
#else
    EXPECT_EQ(FullPathName("dris/7.jpg"), base + "/dris/7.jpg");
    EXPECT_EQ(FullPathName("dris/"), base + "/dris/");
    EXPECT_EQ(FullPathName(""), base);
#endif
}

#ifndef _WIN32

TEST(FullPathName, DotsAndDoubledSlashesResolved)
{
    TempFolder folder;
    WorkingFolderScope inside(folder.Path());
    const std::string base = folder.Path().string();
    EXPECT_EQ(FullPathName("./dris//7.jpg"), base + "/dris/7.jpg");
    EXPECT_EQ(FullPathName("dris/../x/./y.jpg"), base + "/x/y.jpg");
    EXPECT_EQ(FullPathName("dris/.."), base);
    EXPECT_EQ(FullPathName("/a//b/../c/"), "/a/c/");
    EXPECT_EQ(FullPathName("/../../a.jpg"), "/a.jpg");
    EXPECT_EQ(FullPathName("/"), "/");
}
#endif

// ---- reading a picture file ----

TEST(ReadPictureFile, MissingFile)
{
    TempFolder folder;
    WorkingFolderScope inside(folder.Path());
    EXPECT_EQ(MessageOf<EFOpenError>([] { ReadPictureFile("dris/99.jpg"); }),
              "Cannot open file \"" + ShownPath(folder.Path() / "dris/99.jpg") + "\". " + NoSuchFolder);
    EXPECT_EQ(MessageOf<EFOpenError>([] { ReadPictureFile("99.jpg"); }),
              "Cannot open file \"" + ShownPath(folder.Path() / "99.jpg") + "\". " + NoSuchFile);
}

TEST(ReadPictureFile, FolderNamedInCyrillic)
{
    TempFolder folder;
    const std::filesystem::path cyrillic = folder.Path() / std::filesystem::path(u8"картинки");
    std::filesystem::create_directory(cyrillic);
    std::ofstream(cyrillic / "1.jpg", std::ios::binary) << "\xFF\xD8\r\n\x1A";
    WorkingFolderScope inside(folder.Path());
    EXPECT_EQ(ReadPictureFile("картинки/1.jpg"), (std::vector<unsigned char>{0xFF, 0xD8, '\r', '\n', 0x1A}))
        << "read as bytes, not as text";
    EXPECT_EQ(MessageOf<EFOpenError>([] { ReadPictureFile("картинки/2.jpg"); }),
              "Cannot open file \"" + ShownPath(folder.Path().string() + "/") + "картинки" + ShownPath("/2.jpg")
                  + "\". " + NoSuchFile);
}

TEST(ReadPictureFile, FolderIsNotAFile)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "dris");
    WorkingFolderScope inside(folder.Path());
    EXPECT_EQ(MessageOf<EFOpenError>([] { ReadPictureFile("dris/"); }),
              "Cannot open file \"" + ShownPath(folder.Path() / "dris/") + "\". " + IsAFolder);
}

#ifndef _WIN32

TEST(ReadPictureFile, PipeRefusedWithoutWaiting)
{
    TempFolder folder;
    const std::string pipe = (folder.Path() / "pipe.jpg").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(MessageOf<EFOpenError>([&] { ReadPictureFile(pipe); }),
              "Cannot open file \"" + pipe + "\". Invalid argument");
}
#endif

#ifndef _WIN32

TEST(ReadPictureFile, MessageNamesAWorkingFolderDeletedMeanwhile)
{
    TempFolder folder;
    const std::filesystem::path lesson = folder.Path() / "lesson";
    std::filesystem::create_directory(lesson);
    WorkingFolderScope inside(lesson);
    RememberWorkingFolder();
    std::filesystem::remove(lesson);
    EXPECT_EQ(MessageOf<EFOpenError>([] { ReadPictureFile("dris/7.jpg"); }),
              "Cannot open file \"" + lesson.string() + "/dris/7.jpg\". " + NoSuchFile);
}
#endif

TEST(ReadPictureFile, NameResolvedAtTheMomentOfTheCall)
{
    TempFolder first, second;
    first.Write("dris/1.jpg", {1, 2, 3});
    second.Write("dris/1.jpg", {4, 5});
    {
        WorkingFolderScope inside(first.Path());
        EXPECT_EQ(ReadPictureFile("dris/1.jpg"), (std::vector<unsigned char>{1, 2, 3}));
    }
    WorkingFolderScope inside(second.Path());
    EXPECT_EQ(ReadPictureFile("dris/1.jpg"), (std::vector<unsigned char>{4, 5}));
}

TEST(ReadPictureFile, ReadsEveryByte)
{
    TempFolder folder;
    std::vector<unsigned char> bytes(200'000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7);
    const std::string big = folder.Write("big.jpg", bytes);
    const std::string empty = folder.Write("empty.jpg", {});
    EXPECT_EQ(ReadPictureFile(big), bytes);
    EXPECT_TRUE(ReadPictureFile(empty).empty());
}

TEST(ReadPictureFile, FileClosedWhetherOrNotItLoads)
{
    TempFolder folder;
    const std::string file = folder.Write("1.jpg", {1, 2, 3});
    const int before = OpenFileCount();
    ReadPictureFile(file);
    EXPECT_THROW(ReadPictureFile(folder.Path().string()), EFOpenError);
    EXPECT_EQ(OpenFileCount(), before);
}

// ---- JPEG header at load ----

TEST(JpegPictureLoad, NotAJpeg)
{
    JpegPicture picture;
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromBytes(BitmapHeader); }), JpegError(JERR_NO_SOI));
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromBytes({0xFF}); }), JpegError(JERR_NO_SOI));
}

TEST(JpegPictureLoad, FailedLoadKeepsThePreviousPicture)
{
    JpegPicture picture;
    picture.LoadFromBytes(SolidJpeg(30, 20, {0, 0, 0}));
    EXPECT_THROW(picture.LoadFromBytes(BitmapHeader), EJPEG);
    EXPECT_EQ(picture.Width(), 30);
    EXPECT_EQ(picture.Height(), 20);
    EXPECT_EQ(picture.Bytes(), SolidJpeg(30, 20, {0, 0, 0}));
}

TEST(JpegPictureLoad, HeaderRecorded)
{
    JpegPicture colour, gray, progressive;
    colour.LoadFromBytes(SolidJpeg(142, 41, {10, 200, 10}));
    gray.LoadFromBytes(SolidJpeg(8, 9, {90, 90, 90}, {.Grayscale = true}));
    progressive.LoadFromBytes(SolidJpeg(17, 5, {1, 2, 3}, {.Progressive = true}));
    EXPECT_EQ(colour.Width(), 142);
    EXPECT_EQ(colour.Height(), 41);
    EXPECT_FALSE(colour.Grayscale());
    EXPECT_FALSE(colour.Progressive());
    EXPECT_TRUE(gray.Grayscale());
    EXPECT_FALSE(gray.Progressive());
    EXPECT_EQ(progressive.Width(), 17);
    EXPECT_TRUE(progressive.Progressive());
}

TEST(PictureFileLoad, FileTooLargeForThePictureCapRefusedFromItsHeadOrUnread)
{
    TempFolder folder;
    const auto sparse = [&](const char* name, const std::vector<unsigned char>& head) {
        const std::string file = folder.Write(name, head);
        std::filesystem::resize_file(file, PictureMemoryLimit + 1);
        return file;
    };
    const std::string jpeg = sparse("huge.jpg", SolidJpeg(16, 16, {0, 0, 255}));
    const std::string bitmap = sparse("huge-bitmap.jpg", BitmapHeader);
    const std::string fits = folder.Write("fits.jpg", SolidJpeg(16, 16, {0, 0, 255}));
    JpegPicture picture;
    picture.LoadFromFile(fits);
    const long peakBefore = PeakMemoryKiB();
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromFile(jpeg); }), JpegError(JERR_OUT_OF_MEMORY));
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromFile(bitmap); }), JpegError(JERR_NO_SOI));
    // Bitmaps and icons are not read at all.
    const PictureFileBytes unread = ReadPictureFileWithin(bitmap, PictureMemoryLimit);
    EXPECT_FALSE(unread.Whole);
    EXPECT_TRUE(unread.Bytes.empty());
    EXPECT_EQ(ReadPictureFileWithin(fits, PictureMemoryLimit).Bytes, ReadPictureFile(fits));
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 16 * 1024) << "the file was read whole";
    EXPECT_EQ(picture.Width(), 16) << "the picture before stays";

    const PictureFileBytes head = ReadPictureFileUpTo(jpeg, PictureMemoryLimit);
    EXPECT_FALSE(head.Whole);
    EXPECT_EQ(head.Bytes.size(), PictureFileHead);
}

// Metadata up to the limit loads; beyond it the file is refused having been read no
// further than about the limit, whatever the padding is made of.
TEST(JpegPictureLoad, TooMuchBeforeTheFrameRefusedUnread)
{
    const std::vector<unsigned char> lane = SolidJpeg(145, 100, {0, 0, 255});
    JpegPicture picture;
    picture.LoadFromBytes(PaddedBeforeFrame(lane, 0xFE, MostBytesBeforeFrame - 4096));
    EXPECT_EQ(picture.Width(), 145);
    TempFolder folder;
    for (const unsigned char kind : std::vector<unsigned char>{0xFE, 0xE1, 0xFF}) {
        SCOPED_TRACE(testing::Message() << "padding 0x" << std::hex << int(kind));
        const std::vector<unsigned char> padded = PaddedBeforeFrame(lane, kind, 2 * MostBytesBeforeFrame);
        EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromBytes(padded); }), JpegError(JERR_OUT_OF_MEMORY));
        const std::string file = folder.Write("padded.jpg", PaddedBeforeFrame(lane, kind, 48 * MostBytesBeforeFrame));
        const long peakBefore = PeakMemoryKiB();
        EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromFile(file); }), JpegError(JERR_OUT_OF_MEMORY));
        EXPECT_LT(PeakMemoryKiB() - peakBefore, 8 * 1024) << "the file was read whole";
    }
    EXPECT_EQ(picture.Width(), 145) << "the picture before stays";
}

// ---- JPEG decoding ----

TEST(JpegPictureDecode, EmptyInput)
{
    JpegPicture picture;
    picture.LoadFromBytes({});
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    JpegBitmap bitmap;
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.Decode(bitmap, false); }), JpegError(JERR_INPUT_EMPTY));
    EXPECT_EQ(bitmap.Width, 0);
    EXPECT_TRUE(bitmap.Pixels.empty());
}

TEST(JpegPictureDecode, UndefinedTableFailsBeforeAnyRow)
{
    std::vector<unsigned char> bytes = SolidJpeg(16, 16, {0, 0, 255});
    // The first component of the scan names DC/AC table 3, which was never defined.
    bytes[ScanDataStart(bytes) - 8] = 0x33;
    JpegPicture picture;
    picture.LoadFromBytes(bytes);
    JpegBitmap bitmap;
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.Decode(bitmap, false); }), JpegError(JERR_NO_HUFF_TABLE));
    EXPECT_TRUE(bitmap.Pixels.empty());
    EXPECT_EQ(bitmap.DecodedRows, 0);
}

// Before the pictures below, which raise the process's peak memory on purpose.
TEST(JpegPictureDecode, CapCheckedFromTheHeaderBeforeAnyPixelMemory)
{
    const std::vector<unsigned char> small = SolidJpeg(16, 16, {0, 0, 255});
    const std::vector<unsigned char> gray = SolidJpeg(16, 16, {90, 90, 90}, {.Grayscale = true});
    const std::vector<unsigned char> progressive = SolidJpeg(16, 16, {0, 0, 255}, {.Progressive = true});
    const std::vector<unsigned char> inks = SolidJpeg(16, 16, {0, 0, 255}, {.Inks = JCS_CMYK});
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
    } forged[] = {
        {"colour 60000 x 60000", ClaimingSize(small, 60000, 60000)},
        {"colour just beyond the cap, 8200 x 8200", ClaimingSize(small, 8200, 8200)},
        // One byte a pixel decoded, but four on the screen.
        {"grayscale 16000 x 16000", ClaimingSize(gray, 16000, 16000)},
        {"progressive 20000 x 20000", ClaimingSize(progressive, 20000, 20000)},
        {"CMYK 30000 x 30000", ClaimingSize(inks, 30000, 30000)},
    };
    const long peakBefore = PeakMemoryKiB();
    for (const auto& file : forged) {
        SCOPED_TRACE(file.name);
        JpegPicture picture;
        picture.LoadFromBytes(file.bytes);
        JpegBitmap bitmap;
        EXPECT_EQ(MessageOf<EJPEG>([&] { picture.Decode(bitmap, false); }), JpegError(JERR_OUT_OF_MEMORY));
        EXPECT_EQ(bitmap.Pixels.capacity(), 0u);
        EXPECT_EQ(bitmap.DecodedRows, 0);
    }
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 16 * 1024) << "a forged size took memory";
}

TEST(JpegPictureDecode, CorruptDataRaisesAfterTheRowsBeforeIt)
{
    std::vector<unsigned char> bytes = SolidJpeg(64, 64, {200, 30, 30});
    const std::size_t start = ScanDataStart(bytes);
    const std::size_t middle = start + (bytes.size() - start) / 2;
    bytes[middle] = 0xFF; // a second frame header in the middle of the scan
    bytes[middle + 1] = 0xC0;
    JpegPicture picture;
    picture.LoadFromBytes(bytes);
    JpegBitmap bitmap;
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.Decode(bitmap, false); }), JpegError(JERR_SOF_DUPLICATE));
    ASSERT_EQ(bitmap.Width, 64);
    ASSERT_EQ(bitmap.Height, 64);
    // The decoder fills in the rest of the scan after the damage and fails at its end.
    EXPECT_EQ(bitmap.DecodedRows, 64);
    ExpectNear(PixelAt(bitmap, 10, 0), {200, 30, 30}, 4);
    ExpectNear(PixelAt(bitmap, 60, 15), {200, 30, 30}, 4);
}

TEST(JpegPictureDecode, TruncatedDecodesSilentlyAsFarAsItGoes)
{
    std::vector<unsigned char> bytes = SolidJpeg(64, 64, {200, 30, 30});
    const std::size_t start = ScanDataStart(bytes);
    bytes.resize(start + (bytes.size() - start) / 2);
    JpegPicture picture;
    picture.LoadFromBytes(bytes);
    JpegBitmap bitmap;
    EXPECT_NO_THROW(picture.Decode(bitmap, false));
    ASSERT_EQ(bitmap.Height, 64);
    ExpectNear(PixelAt(bitmap, 5, 2), {200, 30, 30}, 4);
    // Beyond the data the decoder fills in neutral gray, and counts the damage.
    ExpectNear(PixelAt(bitmap, 5, 63), {128, 128, 128}, 4);
    EXPECT_GT(bitmap.Warnings, 0);
    picture.LoadFromBytes(SolidJpeg(64, 64, {200, 30, 30}));
    picture.Decode(bitmap, false);
    EXPECT_EQ(bitmap.Warnings, 0) << "a whole picture";
}

TEST(JpegPictureDecode, TwoColoursAtFullSize)
{
    const auto halves = [](int x, int) { return x < 72 ? Rgb{220, 20, 20} : Rgb{20, 20, 220}; };
    JpegPicture picture;
    picture.LoadFromBytes(EncodeJpeg(144, 40, halves));
    JpegBitmap bitmap;
    picture.Decode(bitmap, false);
    EXPECT_EQ(bitmap.Width, 144);
    EXPECT_EQ(bitmap.Height, 40);
    EXPECT_EQ(bitmap.BitsPerPixel, 32);
    EXPECT_EQ(bitmap.Pixels.size(), 144u * 40u * 4u);
    EXPECT_EQ(bitmap.Pixels[3], 0xFF) << "the filler byte is opaque";
    ExpectNear(PixelAt(bitmap, 10, 5), {220, 20, 20}, 6);
    ExpectNear(PixelAt(bitmap, 130, 35), {20, 20, 220}, 6);
}

TEST(JpegPictureDecode, ProgressiveDecodesAll)
{
    JpegPicture picture;
    picture.LoadFromBytes(SolidJpeg(33, 17, {30, 160, 90}, {.Progressive = true}));
    JpegBitmap bitmap;
    picture.Decode(bitmap, false);
    ASSERT_EQ(bitmap.Width, 33);
    ASSERT_EQ(bitmap.Height, 17);
    ExpectNear(PixelAt(bitmap, 32, 16), {30, 160, 90}, 6);
}

TEST(JpegPictureDecode, ScansBeyondTheLimitRefused)
{
    const std::vector<unsigned char> real = SolidJpeg(64, 64, {30, 160, 90}, {.Progressive = true});
    const std::vector<unsigned char> atLimit = WithLastScanRepeated(real, MostScans - ScanCount(real));
    const std::vector<unsigned char> beyond = WithLastScanRepeated(real, MostScans + 1 - ScanCount(real));
    JpegPicture picture;
    JpegBitmap bitmap;
    picture.LoadFromBytes(atLimit);
    EXPECT_NO_THROW(picture.Decode(bitmap, false));
    ExpectNear(PixelAt(bitmap, 63, 63), {30, 160, 90}, 6);
    picture.LoadFromBytes(beyond);
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.Decode(bitmap, false); }), JpegError(JERR_BAD_PROGRESSION));
    EXPECT_EQ(bitmap.DecodedRows, 0);
}

// Below the cap but beyond what libjpeg's memory limit once let its coefficient store take.
TEST(JpegPictureDecode, LargeProgressiveWithinTheCapDecodes)
{
    JpegPicture picture;
    picture.LoadFromBytes(SolidJpeg(7000, 7000, {30, 160, 90}, {.Progressive = true, .FullChroma = true}));
    JpegBitmap bitmap;
    picture.Decode(bitmap, false);
    EXPECT_EQ(bitmap.DecodedRows, 7000);
    ExpectNear(PixelAt(bitmap, 6999, 6999), {30, 160, 90}, 6);
}

// A region is decoded with the pixels a whole decode has there, whatever the sampling,
// the kind of file, the output and where the region's edges fall against the MCUs.
TEST(JpegPictureDecode, RegionHasTheWholeDecodesPixels)
{
    const auto pattern = [](int x, int y) {
        return Rgb{(x * 7 + y * 3) % 256, (x * x / 5 + y * 11) % 256, ((x ^ y) * 13) % 256};
    };
    const struct {
        const char* name;
        JpegOptions options;
        bool smallColourScreen;
        bool cutShort; // the later scans missing: block smoothing guesses their coefficients
    } kinds[] = {
        {"baseline 4:2:0", {}, false, false},
        {"baseline 4:4:4", {.FullChroma = true}, false, false},
        {"progressive 4:2:0", {.Progressive = true, .Quality = 40}, false, false},
        {"progressive 4:2:0 cut short, block smoothing", {.Progressive = true, .Quality = 40}, false, true},
        {"inks", {.Inks = JCS_YCCK}, false, false},
        {"grayscale, dithered to a palette", {.Grayscale = true}, false, false},
        {"colour on a small-colour screen", {}, true, false},
    };
    const JpegRegion regions[] = {
        {115, 83, 145, 100}, {112, 96, 145, 100}, {0, 0, 145, 100}, {216, 175, 145, 100}, {-20, 40, 400, 3},
        {128, 48, 16, 32}, {97, 131, 1, 1},
    };
    for (const auto& kind : kinds) {
        std::vector<unsigned char> bytes = EncodeJpeg(301, 275, pattern, kind.options);
        if (kind.cutShort)
            bytes.resize(bytes.size() / 3);
        JpegPicture picture;
        picture.LoadFromBytes(bytes);
        JpegBitmap whole;
        picture.Decode(whole, kind.smallColourScreen);
        for (const JpegRegion& wanted : regions) {
            SCOPED_TRACE(testing::Message() << kind.name << ", region at " << wanted.Left << ", " << wanted.Top);
            JpegBitmap part;
            picture.Decode(part, kind.smallColourScreen, wanted);
            const int left = std::max(wanted.Left, 0);
            const int top = std::max(wanted.Top, 0);
            ASSERT_EQ(part.Left, left);
            ASSERT_EQ(part.Top, top);
            ASSERT_EQ(part.Width, std::min(wanted.Left + wanted.Width, 301) - left);
            ASSERT_EQ(part.Height, std::min(wanted.Top + wanted.Height, 275) - top);
            ASSERT_EQ(part.DecodedRows, part.Height);
            EXPECT_EQ(part.ScanlinesRead, 275);
            EXPECT_EQ(part.Pixels.size(), part.BytesPerRow() * std::size_t(part.Height));
            int differing = 0;
            for (int y = 0; y < part.Height; ++y)
                for (int x = 0; x < part.Width; ++x) {
                    const Rgb a = PixelAt(part, x, y), b = PixelAt(whole, left + x, top + y);
                    differing += a.R != b.R || a.G != b.G || a.B != b.B;
                }
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST(JpegPictureDecode, InksShownInTheirColours)
{
    const struct {
        J_COLOR_SPACE space;
        bool smallColourScreen;
        Rgb colour;
    } cases[] = {
        {JCS_CMYK, false, {230, 20, 20}},
        {JCS_YCCK, false, {230, 20, 20}},
        {JCS_CMYK, false, {40, 120, 200}},
        {JCS_CMYK, true, {230, 20, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "space " << c.space << ", small screen " << c.smallColourScreen);
        JpegPicture picture;
        picture.LoadFromBytes(SolidJpeg(24, 16, c.colour, {.Inks = c.space}));
        JpegBitmap bitmap;
        picture.Decode(bitmap, c.smallColourScreen);
        EXPECT_EQ(bitmap.BitsPerPixel, 32);
        EXPECT_EQ(bitmap.Pixels[3], 0xFF);
        ExpectNear(PixelAt(bitmap, 23, 15), c.colour, 6);
    }
}

TEST(JpegPictureDecode, SmallColourScreenGetsAPalette)
{
    const auto halves = [](int x, int) { return x < 20 ? Rgb{240, 200, 0} : Rgb{0, 90, 40}; };
    JpegPicture picture;
    picture.LoadFromBytes(EncodeJpeg(40, 16, halves));
    JpegBitmap bitmap;
    picture.Decode(bitmap, true);
    EXPECT_EQ(bitmap.BitsPerPixel, 8);
    EXPECT_EQ(bitmap.Pixels.size(), 40u * 16u);
    EXPECT_FALSE(bitmap.Palette.empty());
    EXPECT_LE(bitmap.Palette.size(), 236u);
    ExpectNear(PixelAt(bitmap, 5, 8), {240, 200, 0}, 24);
    ExpectNear(PixelAt(bitmap, 35, 8), {0, 90, 40}, 24);
}

TEST(JpegPictureDecode, GrayscaleComesOutWithAGrayPalette)
{
    JpegPicture picture;
    picture.LoadFromBytes(SolidJpeg(24, 8, {100, 100, 100}, {.Grayscale = true}));
    JpegBitmap bitmap;
    picture.Decode(bitmap, false);
    EXPECT_EQ(bitmap.BitsPerPixel, 8);
    EXPECT_LE(bitmap.Palette.size(), 236u);
    ExpectNear(PixelAt(bitmap, 12, 4), {100, 100, 100}, 4);
}

