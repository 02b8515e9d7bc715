// Parsing and writing the text of a registry store file. The file may have
// been edited by hand or damaged: whatever cannot be read is kept and
// ignored, never trusted.
#include "RegistryStore.h"

#include <cstdio>

static bool IsHex(char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

static int HexValue(char ch)
{
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return ch - 'A' + 10;
}

// Reads a quoted text starting at line[*pos] == '"'; *pos ends after the
// closing quote. False when the quote is not closed or a NUL would result.
static bool DecodeQuoted(const std::string &line, size_t *pos, std::string *out)
{
    size_t i = *pos + 1;
    out->clear();
    while (i < line.size()) {
        char ch = line[i];
        if (ch == '"') {
            *pos = i + 1;
            return true;
        }
        if (ch == 0) return false;
        if (ch == '\\' && i + 1 < line.size()) {
            char next = line[i + 1];
            if (next == '\\' || next == '"') {
                *out += next;
                i += 2;
                continue;
            }
            if (next == 'x' && i + 3 < line.size() && IsHex(line[i + 2]) && IsHex(line[i + 3])) {
                char byte = static_cast<char>(HexValue(line[i + 2]) * 16 + HexValue(line[i + 3]));
                if (byte != 0) {
                    *out += byte;
                    i += 4;
                    continue;
                }
            }
        }
        *out += ch;
        i++;
    }
    return false;
}

// The writer's side of DecodeQuoted: quotes, control bytes and DEL are
// escaped, and a backslash only where it could be read as an escape.
static std::string EncodeQuoted(const std::string &text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); i++) {
        unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch == '"') {
            out += "\\\"";
        } else if (ch == '\\') {
            char next = i + 1 < text.size() ? text[i + 1] : 0;
            out += (next == 0 || next == '\\' || next == '"' || next == 'x') ? "\\\\" : "\\";
        } else if (ch < 0x20 || ch == 0x7F) {
            char hex[5];
            snprintf(hex, sizeof hex, "\\x%02X", ch);
            out += hex;
        } else {
            out += static_cast<char>(ch);
        }
    }
    out += '"';
    return out;
}

static size_t SkipBlanks(const std::string &line, size_t pos)
{
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) pos++;
    return pos;
}

static void ParseLine(RegStoreLine *entry)
{
    const std::string &line = entry->raw;
    entry->isValue = false;
    entry->isText = false;
    size_t pos = SkipBlanks(line, 0);
    if (pos >= line.size() || line[pos] != '"') return;
    if (!DecodeQuoted(line, &pos, &entry->path)) return;
    pos = SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') return;
    pos = SkipBlanks(line, pos + 1);
    if (pos >= line.size()) return;
    if (line[pos] == '"') {
        if (!DecodeQuoted(line, &pos, &entry->text)) return;
        if (SkipBlanks(line, pos) != line.size()) return;
        entry->isText = true;
    } else {
        entry->text.clear();
    }
    entry->isValue = true;
}

void RegStoreParse(const std::string &content, std::vector<RegStoreLine> *lines)
{
    lines->clear();
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        RegStoreLine entry;
        entry.raw = content.substr(start, end - start);
        if (!entry.raw.empty() && entry.raw.back() == '\r') entry.raw.pop_back();
        ParseLine(&entry);
        lines->push_back(entry);
        start = end + 1;
    }
}

std::string RegStoreFormat(const std::vector<RegStoreLine> &lines)
{
    std::string out;
    for (const RegStoreLine &line : lines) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

std::string RegStorePath(const char *key, const char *name)
{
    std::string path = key;
    path += '\\';
    path += name;
    return path;
}

static char Fold(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

static bool SamePath(const std::string &a, const std::string &b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

int RegStoreFind(const std::vector<RegStoreLine> &lines, const std::string &path)
{
    for (size_t i = 0; i < lines.size(); i++)
        if (lines[i].isValue && SamePath(lines[i].path, path)) return static_cast<int>(i);
    return -1;
}

static void RemovePathFrom(std::vector<RegStoreLine> *lines, const std::string &path, size_t from)
{
    size_t kept = from;
    for (size_t i = from; i < lines->size(); i++) {
        RegStoreLine &line = (*lines)[i];
        if (line.isValue && SamePath(line.path, path)) continue;
        if (kept != i) (*lines)[kept] = line;
        kept++;
    }
    lines->resize(kept);
}

static void SetLine(std::vector<RegStoreLine> *lines, const std::string &path, const std::string &raw)
{
    RegStoreLine entry;
    entry.raw = raw;
    ParseLine(&entry);
    int found = RegStoreFind(*lines, path);
    if (found < 0) {
        lines->push_back(entry);
        return;
    }
    // The stored spelling of the path is kept, as the system registry does.
    (*lines)[static_cast<size_t>(found)] = entry;
    RemovePathFrom(lines, path, static_cast<size_t>(found) + 1);
}

void RegStoreUpdate(std::vector<RegStoreLine> *lines, const std::string &path, const char *text)
{
    if (!text) {
        RemovePathFrom(lines, path, 0);
        return;
    }
    int found = RegStoreFind(*lines, path);
    const std::string &stored = found < 0 ? path : (*lines)[static_cast<size_t>(found)].path;
    SetLine(lines, path, EncodeQuoted(stored) + "=" + EncodeQuoted(text));
}

void RegStoreUpdateRaw(std::vector<RegStoreLine> *lines, const std::string &path, const std::string &right)
{
    int found = RegStoreFind(*lines, path);
    const std::string &stored = found < 0 ? path : (*lines)[static_cast<size_t>(found)].path;
    SetLine(lines, path, EncodeQuoted(stored) + "=" + right);
}

void RegStoreRemoveTree(std::vector<RegStoreLine> *lines, const std::string &key)
{
    size_t kept = 0;
    for (size_t i = 0; i < lines->size(); i++) {
        RegStoreLine &line = (*lines)[i];
        bool below = line.isValue && line.path.size() > key.size() && line.path[key.size()] == '\\' &&
                     SamePath(line.path.substr(0, key.size()), key);
        if (below) continue;
        if (kept != i) (*lines)[kept] = line;
        kept++;
    }
    lines->resize(kept);
}
