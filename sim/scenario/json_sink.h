// Where a saved drawing goes while it is walked: into one JSON value, or straight out as the
// text dump(2) would give. A large drawing written to a file is then never in memory twice,
// once as the database and once as its JSON.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace sim {

class JsonSink {
  public:
    virtual ~JsonSink() = default;
    // key names the member inside an object and is ignored inside an array; the members of
    // one object have distinct keys.
    virtual void beginObject(const std::string& key) = 0;
    virtual void beginArray(const std::string& key) = 0;
    virtual void value(const std::string& key, nlohmann::ordered_json&& value) = 0;
    // The scalars of a large drawing, written without a JSON value each. A UTF-16 text goes
    // as VxString::toUtf8 converts it; a UTF-8 one must be valid.
    virtual void text(const std::string& key, std::u16string_view value) = 0;
    virtual void text(const std::string& key, std::string_view value) = 0;
    virtual void integer(const std::string& key, std::int64_t value) = 0;
    virtual void end() = 0;
};

// Builds the value; the first begin is the root.
class JsonBuilder final : public JsonSink {
  public:
    void beginObject(const std::string& key) override;
    void beginArray(const std::string& key) override;
    void value(const std::string& key, nlohmann::ordered_json&& value) override;
    void text(const std::string& key, std::u16string_view value) override;
    void text(const std::string& key, std::string_view value) override;
    void integer(const std::string& key, std::int64_t value) override;
    void end() override;
    nlohmann::ordered_json take() { return std::move(root_); }

  private:
    nlohmann::ordered_json& place(const std::string& key, nlohmann::ordered_json&& value);

    nlohmann::ordered_json root_;
    std::vector<nlohmann::ordered_json*> open_;
};

// Writes the value as text indented by two, exactly as dump(2) writes it. The text is
// gathered in a buffer handed to out a megabyte at a time and when the first begin ends, so
// that a large drawing is written in few large writes; a writer dropped before that end
// leaves out without the rest.
class JsonTextWriter final : public JsonSink {
  public:
    explicit JsonTextWriter(std::ostream& out);
    void beginObject(const std::string& key) override;
    void beginArray(const std::string& key) override;
    void value(const std::string& key, nlohmann::ordered_json&& value) override;
    void text(const std::string& key, std::u16string_view value) override;
    void text(const std::string& key, std::string_view value) override;
    void integer(const std::string& key, std::int64_t value) override;
    void end() override;

  private:
    void startMember(const std::string& key);
    void string(std::string_view utf8);
    void newLine(std::size_t depth, bool comma);
    void handOnWhenFull();
    void handOn();

    struct Open {
        bool object;
        std::size_t members;
    };
    std::ostream& out_;
    std::string buffer_;
    std::string utf8_;
    nlohmann::detail::serializer<nlohmann::ordered_json> serializer_;
    std::vector<Open> open_;
};

}  // namespace sim
