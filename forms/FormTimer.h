#pragma once
// A window timer of a form. Ticks that fall due while the thread is busy are
// merged by the system into one, never queued.

#include <windows.h>

class Form;

class FormTimer {
 public:
  FormTimer(Form& form, UINT_PTR id, UINT interval) : form_(form), id_(id), interval_(interval) {}
  ~FormTimer() { SetEnabled(false); }
  FormTimer(const FormTimer&) = delete;
  FormTimer& operator=(const FormTimer&) = delete;

  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  UINT_PTR Id() const { return id_; }

 private:
  Form& form_;  // not owned
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
};
