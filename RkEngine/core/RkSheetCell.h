// One cell of a tile sheet, as an image field names it: "<sheet>#<column>,<row>"
// for a cell of 32 by 32 pixels, "<sheet>#<column>,<row>,<size>" for cells of
// size by size (8 to 256). Columns and rows count from 0, left to right and top
// to bottom. The suffix lives in the same 500-byte fields as any image path, so
// nothing stored changes meaning: a field without '#' is a whole image, and a
// file whose real name holds the '#' is that file (Locate), whatever follows it.
//
// Parse reads the text alone; Locate asks the path resolver first, as the game,
// the editor, the map checker and the export all take an image field. The stored
// text is never rewritten.
#pragma once

#include <cstdint>
#include <string>

class RkSheetCell {
 public:
  static constexpr int kDefaultSize = 32;
  static constexpr int kMinSize = 8;
  static constexpr int kMaxSize = 256;

  enum class Form {
    Whole,      // no cell suffix: the field names a whole image
    Cell,       // a well-formed cell of a sheet
    Malformed,  // a '#' in the file's name followed by something that is not a cell
  };

  // What the text says. A '#' counts only in the last part of the path and when
  // what follows it is not a file name with an extension ("tile#2.png" is a
  // whole image): anything else after it must be a cell.
  static RkSheetCell Parse(const std::string& stored);
  // As the game takes the field: a file that exists under exactly this name
  // (found as the path resolver finds it, below folder, "" the working folder)
  // is a whole image even when its name reads like a cell.
  static RkSheetCell Locate(const std::string& folder, const std::string& stored);

  Form GetForm() const { return form_; }
  bool IsCell() const { return form_ == Form::Cell; }
  bool IsMalformed() const { return form_ == Form::Malformed; }
  // The sheet's path as stored (the text before the last '#'); the whole
  // field for a whole image.
  const std::string& GetSheet() const { return sheet_; }
  int GetColumn() const { return column_; }
  int GetRow() const { return row_; }
  int GetSize() const { return size_; }
  int64_t GetLeft() const { return int64_t{column_} * size_; }
  int64_t GetTop() const { return int64_t{row_} * size_; }
  // Whether the whole cell lies within a sheet of width by height pixels.
  bool LiesWithin(int64_t width, int64_t height) const;
  // Why a malformed suffix is not a cell, as a sentence's tail: "\"2\" after '#'
  // needs a column and a row, such as #2,1 or #2,1,16".
  const std::string& GetProblem() const { return problem_; }
  // "cell 2,1 (16 pixels) lies outside the sheet of 64 by 32 pixels" for the
  // notices and the checker.
  std::string DescribeOutside(int64_t width, int64_t height) const;

  // The field that names cell (column, row) of sheet: the size is written only
  // when it is not the default.
  static std::string Compose(const std::string& sheet, int column, int row, int size);

 private:
  bool ParseNumbers(const std::string& suffix);
  void Refuse(const std::string& suffix, const std::string& why);

  Form form_ = Form::Whole;
  std::string sheet_;
  int column_ = 0;
  int row_ = 0;
  int size_ = kDefaultSize;
  std::string problem_;
};
