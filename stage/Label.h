#pragma once

#include <string>

// The story's label as the painters see it: the growing body blanks it before it starts.
class Label {
  public:
    virtual ~Label() = default;
    virtual void setCaption(const std::string& text) = 0;
};
