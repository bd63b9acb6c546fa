#pragma once

// Holds a flag set for as long as it lives, whatever way the scope is left.
class Scoped_Flag {
  public:
    explicit Scoped_Flag(bool& Flag) : Flag_(Flag) { Flag_ = true; }
    Scoped_Flag(const Scoped_Flag&) = delete;
    Scoped_Flag& operator=(const Scoped_Flag&) = delete;
    ~Scoped_Flag() { Flag_ = false; }

  private:
    bool& Flag_;
};
