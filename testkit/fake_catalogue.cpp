#include "testkit/fake_catalogue.hpp"

#include <httplib.h>
#include <zlib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "catalogue/endpoints.hpp"
#include "foundation/uuid.hpp"

namespace {
std::string gzip(const std::string& bytes) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::string out(deflateBound(&z, uLong(bytes.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = uInt(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  int result = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (result != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

FakeCatalogue::Reply json(const std::string& body) {
  return {.body = body, .contentType = "application/json"};
}

std::string latestPath(const std::string& ns, const std::string& name) {
  return "/api/experimental/package/" + ns + "/" + name + "/";
}
}  // namespace

struct FakeCatalogue::Impl {
  httplib::Server server;
  std::thread thread;
  int port = -1;

  mutable std::mutex lock;
  std::condition_variable stopped;  // wakes delayed and held replies when the server stops or releases
  bool stopping = false;
  bool holding = false;
  int latencyMs = 0;
  int64_t bandwidth = 0;
  std::map<std::string, Reply> replies;
  std::vector<Request> log;
  std::map<std::string, size_t> setAt;  // path → the log's length when its reply was set

  void handle(const httplib::Request& in, httplib::Response& out) {
    Request request{.method = in.method, .path = in.path, .body = in.body};
    for (const auto& [name, value] : in.headers) request.headers[lowerCase(name)] = value;

    std::unique_lock guard{lock};
    log.push_back(request);
    stopped.notify_all();  // a reply may be waiting for this path
    stopped.wait(guard, [&] { return stopping || (!holding && askedFor(in.path)); });
    auto found = replies.find(in.path);
    if (found == replies.end() && in.method == "POST" && in.path == createCodePath) {
      guard.unlock();
      std::string code = storeCode(in.body);
      out.status = 200;
      out.set_content(R"({"key": ")" + code + R"("})", "application/json");
      return;
    }
    if (found == replies.end()) {
      out.status = 404;
      out.set_content("not found", "text/plain");
      return;
    }
    Reply reply = found->second;
    if (found->second.dropFirst > 0) {
      if (--found->second.dropFirst == 0) found->second.stallAt = 0;
      if (reply.stallAt == 0) reply.truncated = true;
    }
    if (int delay = reply.delayMs + latencyMs; delay > 0)
      stopped.wait_for(guard, std::chrono::milliseconds(delay), [&] { return stopping; });
    const int64_t rate = bandwidth;
    guard.unlock();

    out.status = reply.status;
    for (const auto& [name, value] : reply.headers) out.set_header(name, value);
    if (reply.stallAt > 0) {
      auto body = std::make_shared<std::string>(std::move(reply.body));
      out.set_content_provider(body->size(), reply.contentType,
                               [this, body, sent = size_t(double(body->size()) * reply.stallAt)](
                                   size_t, size_t, httplib::DataSink& sink) {
                                 sink.write(body->data(), sent);
                                 std::unique_lock wait{lock};
                                 stopped.wait(wait, [&] { return stopping; });
                                 return false;
                               });
    } else if (reply.truncated) {
      auto body = std::make_shared<std::string>(std::move(reply.body));
      out.set_content_provider(body->size(), reply.contentType,
                               [body](size_t, size_t, httplib::DataSink& sink) {
                                 sink.write(body->data(), body->size() / 2);
                                 return false;  // drops the connection mid-body
                               });
    } else if (rate > 0 && !reply.body.empty()) {
      throttle(out, std::move(reply), rate);
    } else {
      out.set_content(reply.body, reply.contentType);
    }
  }

  // Whether every path the reply to `path` waits for has been asked for since the reply was set.
  // Called under the lock.
  bool askedFor(const std::string& path) const {
    const auto found = replies.find(path);
    if (found == replies.end() || found->second.after.empty()) return true;
    const auto since = log.begin() + std::ptrdiff_t(setAt.at(path));
    return std::all_of(found->second.after.begin(), found->second.after.end(), [&](const std::string& p) {
      return std::any_of(since, log.end(), [&](const Request& r) { return r.path == p; });
    });
  }

  // Sends the body in slices of a fiftieth of a second's worth, pausing between them.
  void throttle(httplib::Response& out, Reply reply, int64_t rate) {
    auto body = std::make_shared<std::string>(std::move(reply.body));
    const size_t slice = size_t(std::max<int64_t>(rate / 50, 1));
    out.set_content_provider(
        body->size(), reply.contentType, [this, body, slice](size_t offset, size_t, httplib::DataSink& sink) {
          size_t n = std::min(slice, body->size() - offset);
          if (!sink.write(body->data() + offset, n)) return false;
          std::unique_lock wait{lock};
          return !stopped.wait_for(wait, std::chrono::milliseconds(20), [&] { return stopping; });
        });
  }

  std::string storeCode(const std::string& text) {
    std::string code = makeUUID();
    std::lock_guard guard{lock};
    replies["/api/experimental/legacyprofile/get/" + code + "/"] = {
        .status = 302, .headers = {{"Location", "/cdn/profiles/" + code}}};
    replies["/cdn/profiles/" + code] = {.body = text, .contentType = "text/plain; charset=utf-8"};
    return code;
  }
};

FakeCatalogue::FakeCatalogue() : impl_(std::make_unique<Impl>()) {
  auto& server = impl_->server;
  // One request per connection: an idle kept-alive connection would hold up stop().
  server.set_keep_alive_max_count(1);
  auto handler = [impl = impl_.get()](const httplib::Request& in, httplib::Response& out) {
    impl->handle(in, out);
  };
  server.Get(".*", handler);
  server.Post(".*", handler);
  impl_->port = server.bind_to_any_port("127.0.0.1");
  if (impl_->port <= 0) throw std::runtime_error("the fake catalogue could not bind a port");
  impl_->thread = std::thread([&server] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::yield();  // stop() is ignored until then

  setEndpoints({.catalogue = url(), .icons = url(), .website = url(), .loaderReleases = url()});
}

FakeCatalogue::~FakeCatalogue() {
  {
    std::lock_guard guard{impl_->lock};
    impl_->stopping = true;
  }
  impl_->stopped.notify_all();
  impl_->server.stop();
  impl_->thread.join();
}

std::string FakeCatalogue::url() const { return "http://127.0.0.1:" + std::to_string(impl_->port); }

std::string FakeCatalogue::Request::header(const std::string& lowerCaseName) const {
  auto found = headers.find(lowerCaseName);
  return found == headers.end() ? "" : found->second;
}

void FakeCatalogue::answer(const std::string& path, Reply reply) {
  std::lock_guard guard{impl_->lock};
  impl_->replies[path] = std::move(reply);
  impl_->setAt[path] = impl_->log.size();
}

void FakeCatalogue::serve(const std::string& path, std::string body, int status) {
  answer(path, Reply{.status = status, .body = std::move(body)});
}

void FakeCatalogue::redirect(const std::string& path, const std::string& toPath, int status) {
  answer(path, Reply{.status = status, .headers = {{"Location", toPath}}});
}

std::string FakeCatalogue::downloadPath(const std::string& ns, const std::string& name,
                                        const std::string& version) {
  return "/package/download/" + ns + "/" + name + "/" + version + "/";
}

void FakeCatalogue::setPackageList(const std::string& list, bool gzipped) {
  if (!gzipped) return answer(indexPath, json(list));
  // Sent as octet-stream, a type the server does not compress a second time on its own.
  answer(indexPath, Reply{.body = gzip(list), .headers = {{"Content-Encoding", "gzip"}}});
}

void FakeCatalogue::setLatest(const std::string& ns, const std::string& name, const std::string& version) {
  answer(latestPath(ns, name), json(R"({"namespace": ")" + ns + R"(", "name": ")" + name +
                                    R"(", "latest": {"version_number": ")" + version + R"("}})"));
}

void FakeCatalogue::setReadme(const std::string& ns, const std::string& name, const std::string& version,
                              const std::string& markdown) {
  answer(latestPath(ns, name) + version + "/readme/", json(nlohmann::json{{"markdown", markdown}}.dump()));
}

void FakeCatalogue::setChangelog(const std::string& ns, const std::string& name, const std::string& version,
                                 const std::optional<std::string>& markdown) {
  nlohmann::json body{{"markdown", nullptr}};
  if (markdown) body["markdown"] = *markdown;
  answer(latestPath(ns, name) + version + "/changelog/", json(body.dump()));
}

void FakeCatalogue::addPackage(const std::string& ns, const std::string& name, const std::string& version,
                               const std::string& archive) {
  std::string cdn = "/cdn/live/repository/packages/" + ns + "-" + name + "-" + version + ".zip";
  redirect(downloadPath(ns, name, version), cdn);
  answer(cdn, Reply{.body = archive, .contentType = "application/zip"});
}

std::string FakeCatalogue::addProfileCode(const std::string& storedText) {
  return impl_->storeCode(storedText);
}

void FakeCatalogue::setUpdateNotice(const std::string& body) { answer(updateNoticePath, json(body)); }

void FakeCatalogue::setLatency(int milliseconds) {
  std::lock_guard guard{impl_->lock};
  impl_->latencyMs = milliseconds;
}

void FakeCatalogue::hold() {
  std::lock_guard guard{impl_->lock};
  impl_->holding = true;
}

void FakeCatalogue::release() {
  {
    std::lock_guard guard{impl_->lock};
    impl_->holding = false;
  }
  impl_->stopped.notify_all();
}

void FakeCatalogue::setBandwidth(int64_t bytesPerSecond) {
  std::lock_guard guard{impl_->lock};
  impl_->bandwidth = bytesPerSecond;
}

std::vector<FakeCatalogue::Request> FakeCatalogue::requests() const {
  std::lock_guard guard{impl_->lock};
  return impl_->log;
}

int FakeCatalogue::requestCount(const std::string& path) const {
  std::lock_guard guard{impl_->lock};
  return int(
      std::count_if(impl_->log.begin(), impl_->log.end(), [&](const Request& r) { return r.path == path; }));
}
