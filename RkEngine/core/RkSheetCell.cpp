// Reading the cell suffix of an image field.
#include "RkSheetCell.h"

#include <cctype>
#include <vector>

#include "RkPathResolver.h"

namespace {

// Column, row and size are whole numbers of a few digits: a sheet is at most
// 8192 pixels on a side. More digits than this are refused before they can
// overflow.
constexpr std::size_t kMaxDigits = 6;

std::string Trimmed(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
  while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
  return text.substr(first, last - first);
}

// -1 when the text is not a whole number of at most kMaxDigits digits.
int NumberOf(const std::string& text) {
  const std::string digits = Trimmed(text);
  if (digits.empty() || digits.size() > kMaxDigits) return -1;
  int value = 0;
  for (const char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == ',') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

}  // namespace

RkSheetCell RkSheetCell::Parse(const std::string& stored) {
  RkSheetCell cell;
  cell.sheet_ = stored;
  const std::size_t hash = stored.rfind('#');
  if (hash == std::string::npos) return cell;
  const std::string suffix = stored.substr(hash + 1);
  // A '#' in a folder's name, or a name that goes on to an extension, is part
  // of a whole image's path.
  if (suffix.find_first_of("/\\.") != std::string::npos) return cell;
  cell.sheet_ = stored.substr(0, hash);
  if (cell.sheet_.empty() || cell.sheet_.back() == '/' || cell.sheet_.back() == '\\') {
    cell.Refuse(suffix, "names no sheet before '#'");
    return cell;
  }
  if (cell.ParseNumbers(suffix)) cell.form_ = Form::Cell;
  return cell;
}

bool RkSheetCell::ParseNumbers(const std::string& suffix) {
  const std::vector<std::string> parts = SplitCommas(suffix);
  if (parts.size() != 2 && parts.size() != 3) {
    Refuse(suffix, "needs a column and a row, such as #2,1 or #2,1,16");
    return false;
  }
  column_ = NumberOf(parts[0]);
  row_ = NumberOf(parts[1]);
  size_ = parts.size() == 3 ? NumberOf(parts[2]) : kDefaultSize;
  if (column_ < 0 || row_ < 0 || size_ < 0) {
    Refuse(suffix, "needs whole numbers, such as #2,1 or #2,1,16");
    return false;
  }
  if (size_ < kMinSize || size_ > kMaxSize) {
    Refuse(suffix, "has a cell size of " + std::to_string(size_) + "; cells are " + std::to_string(kMinSize) +
                       " to " + std::to_string(kMaxSize) + " pixels");
    return false;
  }
  return true;
}

void RkSheetCell::Refuse(const std::string& suffix, const std::string& why) {
  form_ = Form::Malformed;
  column_ = 0;
  row_ = 0;
  size_ = kDefaultSize;
  problem_ = "\"#" + suffix + "\" " + why;
}

// A file named like the cell lies in the sheet's own folder (the parts before
// the last are the same): when that folder holds no name with a '#', as a
// folder of sheets does, no file needs looking for, cell after cell.
RkSheetCell RkSheetCell::Locate(const std::string& folder, const std::string& stored) {
  RkSheetCell cell = Parse(stored);
  if (cell.form_ == Form::Whole) return cell;
  RkPathResolver& resolver = RkPathResolver::Instance();
  std::string exact;
  if (cell.form_ == Form::Cell && resolver.FindIn(folder, cell.sheet_.c_str(), exact) &&
      !resolver.FolderOfHoldsNameWith(exact, '#')) {
    return cell;
  }
  if (resolver.FindIn(folder, stored.c_str(), exact)) {
    RkSheetCell whole;
    whole.sheet_ = stored;
    return whole;
  }
  return cell;
}

bool RkSheetCell::LiesWithin(int64_t width, int64_t height) const {
  return form_ == Form::Cell && GetLeft() + size_ <= width && GetTop() + size_ <= height;
}

std::string RkSheetCell::DescribeOutside(int64_t width, int64_t height) const {
  return "cell " + std::to_string(column_) + "," + std::to_string(row_) + " (" + std::to_string(size_) +
         " pixels) lies outside the sheet of " + std::to_string(width) + " by " + std::to_string(height) + " pixels";
}

std::string RkSheetCell::Compose(const std::string& sheet, int column, int row, int size) {
  std::string field = sheet + "#" + std::to_string(column) + "," + std::to_string(row);
  if (size != kDefaultSize) field += "," + std::to_string(size);
  return field;
}
