// Our digest beside OpenSSL's, in one run: short texts through Md5Hex, and 1 MiB buffers.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <string>

#include "digest/md5.h"
#include "digest/md5hex.h"

namespace {

const std::string kShort(64, 'u');
const std::string kLarge(1 << 20, '\x5A');

std::string OpenSslHex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(2 * length, '0');
  for (unsigned int i = 0; i < length; ++i) {
    hex[2 * i] = kDigits[digest[i] >> 4];
    hex[2 * i + 1] = kDigits[digest[i] & 15];
  }
  return hex;
}

void OursMd5Hex64(benchmark::State& state) {
  const AnsiString text(kShort);
  for (auto _ : state) benchmark::DoNotOptimize(Md5Hex(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 64);
}

void OpenSslHex64(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(OpenSslHex(kShort));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 64);
}

void OursOneMiB(benchmark::State& state) {
  unsigned char digest[16];
  for (auto _ : state) {
    MD5_CTX context;
    context.Update(reinterpret_cast<const unsigned char*>(kLarge.data()), static_cast<unsigned>(kLarge.size()));
    context.Final(digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kLarge.size()));
}

void OpenSslOneMiB(benchmark::State& state) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  for (auto _ : state) {
    EVP_Digest(kLarge.data(), kLarge.size(), digest, &length, EVP_md5(), nullptr);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kLarge.size()));
}

}  // namespace

BENCHMARK(OursMd5Hex64);
BENCHMARK(OpenSslHex64);
BENCHMARK(OursOneMiB);
BENCHMARK(OpenSslOneMiB);
BENCHMARK_MAIN();
