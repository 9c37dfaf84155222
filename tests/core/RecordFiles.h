// Test support: a record's bytes as its Write produces them, and a record read
// from given bytes, both through a real file in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include "RkBinaryReader.h"
#include "RkBinaryWriter.h"
#include "ScratchDirectory.h"

template <typename Record>
Bytes WriteRecordBytes(const Record& record) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("record.bin");
  RkBinaryWriter writer;
  EXPECT_TRUE(writer.Open(path.c_str()));
  EXPECT_FALSE(record.Write(writer));
  EXPECT_TRUE(writer.Flush() && writer.Close() && writer.Commit());
  return ReadFileBytes(path);
}

template <typename Record>
void ReadRecordBytes(const Bytes& bytes, Record& record) {
  ScratchDirectory scratch;
  const std::string path = scratch.File("record.bin");
  WriteFileBytes(path, bytes);
  RkBinaryReader reader;
  ASSERT_TRUE(reader.Open(path.c_str()));
  EXPECT_FALSE(record.Read(reader));
}
