// Bad inputs and what the program makes of them: field texts through the number
// conversions, and picture files through the picture holder's load and first draw.
// Prints Markdown tables; the files are made in a scratch folder, shown as <tmp>.
//
//   bench_bad_inputs   (run from the repository root: some files are cut from dris/)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "runtime/Errors.h"
#include "runtime/NumText.h"
#include "toolkit/Picture.h"
#include "toolkit/Utf8.h"

namespace {

namespace fs = std::filesystem;

std::string KindOf(const Exception& error)
{
    if (dynamic_cast<const EConvertError*>(&error))
        return "EConvertError";
    if (dynamic_cast<const EInvalidGraphic*>(&error))
        return "EInvalidGraphic";
    if (dynamic_cast<const EFOpenError*>(&error))
        return "EFOpenError";
    if (dynamic_cast<const EJPEG*>(&error))
        return "EJPEG";
    return "Exception";
}

// Long texts are shortened and bytes outside printable ASCII shown as \xNN, so the
// table stays one line per input.
std::string Shown(const std::string& text, std::size_t limit = 70)
{
    std::string shown;
    for (const unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F || c == '|') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    if (shown.size() > limit)
        shown = shown.substr(0, limit / 2) + " … " + shown.substr(shown.size() - limit / 2) + " (" +
                std::to_string(text.size()) + " bytes)";
    return shown;
}

// The scratch folder's name changes from run to run; the tables show it as <tmp>.
std::string WithoutScratch(std::string text, const std::string& scratch)
{
    if (scratch.empty())
        return text;
    for (std::size_t at; (at = text.find(scratch)) != std::string::npos;)
        text.replace(at, scratch.size(), "<tmp>");
    return text;
}

std::string Outcome(const Exception& error, const std::string& scratch = {})
{
    return KindOf(error) + " \"" + Shown(WithoutScratch(error.Message(), scratch), 100) + "\"";
}

void Text(const std::string& label, const std::string& text)
{
    std::string asInteger, asReal;
    try {
        asInteger = "accepted: " + std::to_string(StrToInt(text));
    } catch (const Exception& error) {
        asInteger = Outcome(error);
    }
    try {
        asReal = "accepted: " + FloatToStr(StrToFloat(text));
    } catch (const Exception& error) {
        asReal = Outcome(error);
    }
    std::printf("| %s | `%s` | %s | %s |\n", label.c_str(), Shown(text).c_str(), asInteger.c_str(), asReal.c_str());
}

// Loads the file into a picture holder that already shows a good picture, then draws
// it once as an image control's paint does.
void File(const std::string& label, const std::string& name, const std::string& scratch)
{
    TPicture picture;
    picture.LoadFromFile("dris/1.jpg");
    const TGraphic* previous = picture.Graphic();
    std::string load, draw = "-";
    try {
        picture.LoadFromFile(name);
        load = "loads, " + std::to_string(picture.Width()) + " × " + std::to_string(picture.Height());
        try {
            QImage target(145, 100, QImage::Format_RGB32);
            QPainter painter(&target);
            picture.Graphic()->Draw(painter, QRect(0, 0, picture.Width(), picture.Height()));
            draw = "drawn";
        } catch (const Exception& error) {
            draw = Outcome(error, scratch);
        }
    } catch (const Exception& error) {
        load = Outcome(error, scratch) + (picture.Graphic() == previous ? "; previous picture kept" : "; PICTURE LOST");
    }
    std::printf("| %s | `%s` | %s | %s |\n", label.c_str(), WithoutScratch(name, scratch).c_str(), load.c_str(),
                draw.c_str());
}

std::vector<unsigned char> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Write(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// The offset just past the first start-of-scan segment's header.
std::size_t ScanData(const std::vector<unsigned char>& jpeg)
{
    for (std::size_t i = 2; i + 3 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            return i + 2 + (std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
    return jpeg.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    SetDecimalSeparator(',');
    std::printf("Texts, with \",\" as the decimal separator:\n\n");
    std::printf("| Input | Text | StrToInt | StrToFloat (then FloatToStr) |\n|---|---|---|---|\n");
    Text("empty", "");
    Text("blanks only", "   ");
    Text("trailing blank", "12 ");
    Text("blank after the sign", "- 7");
    Text("two signs", "+-7");
    Text("point instead of comma", "2.5");
    Text("comma", "2,5");
    Text("lone separator", ",");
    Text("lone minus", "-");
    Text("just past the 32-bit range", "2147483648");
    Text("just below it", "-2147483649");
    Text("hex prefix alone", "$");
    Text("nine hex digits", "$100000000");
    Text("letters", "abc");
    Text("Cyrillic е as exponent (UTF-8)", "1\xD0\xB5" "3");
    Text("Cyrillic е as exponent (Windows-1251)", "1\xE5" "3");
    Text("thousands blank", "1 000");
    Text("beyond the extended range", "1E5000");
    Text("below the smallest denormal", "1E-4999");
    Text("exponent digits past the limit", "1E50000");
    Text("infinity word", "INF");
    Text("not-a-number word", "NAN");
    Text("embedded NUL", std::string("12\0" "3", 4));
    Text("tab instead of blank", "\t12");
    Text("5,000 digits", std::string(5000, '9'));
    Text("comma and 6,000 fraction digits", "0," + std::string(6000, '0') + "1");

    char scratchTemplate[] = "/tmp/velmora-bad-inputs-XXXXXX";
    if (mkdtemp(scratchTemplate) == nullptr)
        return 1;
    const std::string scratch = scratchTemplate;
    const std::vector<unsigned char> car = Bytes("dris/1.jpg");
    const std::vector<unsigned char> ship = Bytes("dris/7.jpg");
    if (car.empty() || ship.empty()) {
        std::fprintf(stderr, "bench_bad_inputs: dris/ pictures missing (run from the repository root)\n");
        return 1;
    }
    std::vector<unsigned char> corrupt = ship;
    for (std::size_t i = ScanData(ship) + 200; i < ScanData(ship) + 260 && i + 2 < corrupt.size(); ++i)
        corrupt[i] = 0xFF;
    std::vector<unsigned char> huge = car;
    for (std::size_t i = 2; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && (huge[i + 1] == 0xC0 || huge[i + 1] == 0xC2)) {
            huge[i + 5] = huge[i + 7] = 0xFF; // height and width 65 5xx
            huge[i + 6] = huge[i + 8] = 0xDC;
            break;
        }
    QImage bitmap(16, 12, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    bitmap.save(ToQString(scratch + "/real.bmp"), "BMP");
    const std::vector<unsigned char> bmp = Bytes(scratch + "/real.bmp");
    fs::create_directory(scratch + "/folder.jpg");
    mkfifo((scratch + "/pipe.jpg").c_str(), 0600);

    std::printf("\nPicture files, loaded into a holder that shows dris/1.jpg, then drawn once:\n\n");
    std::printf("| Input | Name | Load | First draw |\n|---|---|---|---|\n");
    File("bare folder, no extension", "dris/", scratch);
    File("unregistered extension", "dris/1.gif", scratch);
    File("missing file", "dris/99.jpg", scratch);
    File("missing folder", "nowhere/1.jpg", scratch);
    File("upper-case extension, missing", "dris/99.JPG", scratch);
    File("folder with a .jpg name", scratch + "/folder.jpg", scratch);
    File("named pipe with a .jpg name", scratch + "/pipe.jpg", scratch);
    File("zero-length .jpg", Write(scratch + "/empty.jpg", {}), scratch);
    File("bitmap with a .jpg name", Write(scratch + "/bitmap.jpg", bmp), scratch);
    File("text with a .jpg name", Write(scratch + "/text.jpg", {'h', 'e', 'l', 'l', 'o'}), scratch);
    File("only the start-of-image marker", Write(scratch + "/soi.jpg", {0xFF, 0xD8}), scratch);
    File("JPEG cut after 1,500 bytes",
         Write(scratch + "/cut.jpg", std::vector<unsigned char>(ship.begin(), ship.begin() + 1500)), scratch);
    File("JPEG cut inside its header",
         Write(scratch + "/cut-header.jpg", std::vector<unsigned char>(ship.begin(), ship.begin() + 100)), scratch);
    File("JPEG with 60 scan bytes overwritten", Write(scratch + "/corrupt.jpg", corrupt), scratch);
    File("JPEG header claiming 65 500 × 65 500", Write(scratch + "/huge.jpg", huge), scratch);
    File("real bitmap, .bmp", scratch + "/real.bmp", scratch);
    File("JPEG with a .bmp name", Write(scratch + "/jpeg.bmp", car), scratch);
    File("garbage .ico", Write(scratch + "/garbage.ico", {1, 2, 3, 4}), scratch);
    File("metafile .wmf", Write(scratch + "/picture.wmf", {0xD7, 0xCD, 0xC6, 0x9A}), scratch);

    fs::remove_all(scratch);
    return 0;
}
