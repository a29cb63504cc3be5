#pragma once
#include <vector>

#include "Str.h"

class CStringArray {
 public:
  int GetSize() const { return (int)m_items.size(); }
  const CString& GetAt(int index) const { return m_items[index]; }
  const CString& operator[](int index) const { return m_items[index]; }
  int Add(const CString& item) {
    m_items.push_back(item);
    return (int)m_items.size() - 1;
  }
  void RemoveAll() { m_items.clear(); }

 private:
  std::vector<CString> m_items;
};
