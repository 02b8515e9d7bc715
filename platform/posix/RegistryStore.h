// The text of a registry store file: one value per line,
//   "key\name"="text"
// with other types written as "key\name"=dword:0000002a. Inside the quotes
// \" stands for ", \\ for \, \xHH for a byte; any other backslash stands for
// itself. Lines that start with # or ; and lines that cannot be read are kept
// as they are and otherwise ignored. Paths compare without regard to ASCII
// case.
#pragma once
#include <string>
#include <vector>

struct RegStoreLine {
    std::string raw;   // the line as stored (without its line end)
    bool isValue;      // raw holds a value that could be read
    std::string path;  // "key\name", decoded
    bool isText;       // a text value (else a value of another type)
    std::string text;  // the text, decoded
};

// Splits the file's content into lines (LF or CR LF); never fails.
void RegStoreParse(const std::string &content, std::vector<RegStoreLine> *lines);
std::string RegStoreFormat(const std::vector<RegStoreLine> &lines);

// The path under which a value is stored.
std::string RegStorePath(const char *key, const char *name);
// The first line holding the value, or -1.
int RegStoreFind(const std::vector<RegStoreLine> &lines, const std::string &path);
// Sets a text value (replacing the first line of that path and dropping
// later ones) or removes every line of the path (text null).
void RegStoreUpdate(std::vector<RegStoreLine> *lines, const std::string &path, const char *text);
// Sets a value of another type: the right-hand side as written.
void RegStoreUpdateRaw(std::vector<RegStoreLine> *lines, const std::string &path, const std::string &right);
// Removes the key and every key below it.
void RegStoreRemoveTree(std::vector<RegStoreLine> *lines, const std::string &key);
