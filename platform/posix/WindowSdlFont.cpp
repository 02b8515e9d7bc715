// Fonts of the SDL window: the face is looked up through fontconfig as a
// monospace font (DejaVu Sans Mono when nothing matches), in four variants:
// normal, underlined, bold and italic. A variant whose space has another
// extent than the normal one is never used.
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <cstring>

#include "WindowSdl.h"
#include "ZemriSub/ZemriSubPC.h"

static const char FallbackFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// The file of the best monospace match for face in the given weight and
// slant; empty when fontconfig finds none.
static std::string MatchFontFile(const std::string &face, int weight, int slant)
{
    std::string file;
    if (!FcInit()) return file;
    FcPattern *pattern = FcPatternCreate();
    if (!pattern) return file;
    if (!face.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(face.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>("monospace"));
    FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcPatternAddInteger(pattern, FC_WEIGHT, weight);
    FcPatternAddInteger(pattern, FC_SLANT, slant);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8 *path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char *>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

// The font height in the Win32 sense: negative is the character height in
// pixels, positive the cell height; 0 takes the default.
static int PixelSize(int height)
{
    if (height < 0) return -height;
    if (height > 0) return height * 6 / 7 > 0 ? height * 6 / 7 : 1;
    return 12;
}

static TTF_Font *OpenVariant(const std::string &face, int size, int weight, int slant,
                             int fallbackStyle)
{
    std::string file = MatchFontFile(face, weight, slant);
    std::string normal = MatchFontFile(face, FC_WEIGHT_REGULAR, FC_SLANT_ROMAN);
    TTF_Font *font = nullptr;
    if (!file.empty()) font = TTF_OpenFont(file.c_str(), size);
    // No file of its own for the variant: the normal font drawn in style.
    bool synthetic = file.empty() || (fallbackStyle != TTF_STYLE_NORMAL && file == normal);
    if (!font) font = TTF_OpenFont(FallbackFont, size);
    if (font && synthetic) TTF_SetFontStyle(font, fallbackStyle);
    return font;
}

bool SdlFontsCreate()
{
    std::string face = Sdl.FontFace;
    int size = PixelSize(Sdl.FontHeight);
    Sdl.Fonts[FontNormalVariant] = OpenVariant(face, size, FC_WEIGHT_REGULAR, FC_SLANT_ROMAN, TTF_STYLE_NORMAL);
    Sdl.Fonts[FontUnderlineVariant] = OpenVariant(face, size, FC_WEIGHT_REGULAR, FC_SLANT_ROMAN, TTF_STYLE_NORMAL);
    if (Sdl.Fonts[FontUnderlineVariant]) TTF_SetFontStyle(Sdl.Fonts[FontUnderlineVariant], TTF_STYLE_UNDERLINE);
    Sdl.Fonts[FontBoldVariant] = OpenVariant(face, size, FC_WEIGHT_BOLD, FC_SLANT_ROMAN, TTF_STYLE_BOLD);
    Sdl.Fonts[FontItalicVariant] = OpenVariant(face, size, FC_WEIGHT_REGULAR, FC_SLANT_ITALIC, TTF_STYLE_ITALIC);
    if (!Sdl.Fonts[FontNormalVariant]) {
        DebugPrint("TTY no font: %s", TTF_GetError());
        return false;
    }
    int width = 0, height = 0;
    TTF_SizeUTF8(Sdl.Fonts[FontNormalVariant], " ", &width, &height);
    if (width <= 0) width = 1;
    if (height <= 0) height = 1;
    CellWidth = width;
    CellHeight = height;
    Sdl.Unusable[FontNormalVariant] = false;
    for (int v = FontUnderlineVariant; v <= FontItalicVariant; ++v) {
        int w = 0, h = 0;
        bool ok = Sdl.Fonts[v] && TTF_SizeUTF8(Sdl.Fonts[v], " ", &w, &h) == 0;
        Sdl.Unusable[v] = !ok || w != width || h != height;
    }
    return true;
}

void SdlFontsDelete()
{
    for (TTF_Font *&font : Sdl.Fonts) {
        if (font) TTF_CloseFont(font);
        font = nullptr;
    }
}
