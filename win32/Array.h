// A growable array without the standard library's containers, which would
// bring their exception support (a quarter megabyte) into the installer.
#pragma once

template <typename T>
class CAfxArray {
 public:
  CAfxArray() : m_items(0), m_size(0), m_capacity(0) {}
  ~CAfxArray() { delete[] m_items; }
  CAfxArray(const CAfxArray&) = delete;
  CAfxArray& operator=(const CAfxArray&) = delete;

  int GetSize() const { return m_size; }
  T& operator[](int index) { return m_items[index]; }
  const T& operator[](int index) const { return m_items[index]; }

  int Add(const T& item) {
    if (m_size == m_capacity) {
      int capacity = m_capacity ? m_capacity * 2 : 8;
      T* items = new T[capacity];
      for (int i = 0; i < m_size; i++) items[i] = m_items[i];
      delete[] m_items;
      m_items = items;
      m_capacity = capacity;
    }
    m_items[m_size] = item;
    return m_size++;
  }

  void RemoveAll() {
    delete[] m_items;
    m_items = 0;
    m_size = m_capacity = 0;
  }

 private:
  T* m_items;
  int m_size;
  int m_capacity;
};
