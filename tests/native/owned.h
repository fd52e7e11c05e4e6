// Holds an owned text for the length of a test and releases it once.
#pragma once

#include "convert/text_memory.h"

class Owned {
 public:
  explicit Owned(char* text) : text_(text) {}
  ~Owned() { release_text(text_); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  const char* get() const { return text_; }

 private:
  char* text_;
};
