// kamerol-cli as whole processes: many files against cat over the same files,
// one file from process start to exit, and one thread against two. Each pair is
// taken in turns within one run, so that the ratios compare like with like on a
// busy machine.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::filesystem::path kExamples = KAMEROL_EXAMPLES_DIR;
constexpr int kFiles = 1000;

struct Times {
  double wall = 0;  // seconds
  double cpu = 0;   // user and system time of the process
};

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

// Runs a program with its standard output to /dev/null and waits for it.
Times run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + args[0]);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
  return {wall.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// A thousand calculation files, the examples in turn, in a scratch folder.
const std::vector<std::string>& calculationFiles() {
  static const std::vector<std::string> files = [] {
    const auto folder = std::filesystem::temp_directory_path() / ("kamerol-cli-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::vector<std::filesystem::path> examples;
    for (const auto& entry : std::filesystem::directory_iterator(kExamples))
      if (entry.path().extension() == ".tpl") examples.push_back(entry.path());
    std::vector<std::string> names;
    for (int i = 0; i < kFiles; ++i) {
      const auto name = folder / ("room-" + std::to_string(i) + ".tpl");
      std::filesystem::copy_file(examples[static_cast<std::size_t>(i) % examples.size()], name,
                                 std::filesystem::copy_options::overwrite_existing);
      names.push_back(name.string());
    }
    std::atexit([] {
      std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                  ("kamerol-cli-bench-" + std::to_string(getpid())));
    });
    return names;
  }();
  return files;
}

std::vector<std::string> command(std::vector<std::string> head, bool withFiles = true) {
  if (withFiles) head.insert(head.end(), calculationFiles().begin(), calculationFiles().end());
  return head;
}

// The middle one of the measurements: a virtual machine's odd slow turn
// moves a mean a long way, a median hardly.
double median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

// The median of the ratios of the turns: the two runs of one turn follow each
// other, so they meet the machine in the same state, which may change from one
// turn to the next.
double medianRatio(const std::vector<double>& numerators, const std::vector<double>& denominators) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < numerators.size(); ++i) ratios.push_back(numerators[i] / denominators[i]);
  return median(ratios);
}

// --jsonl over the thousand files against cat over them: CPU time (and wall
// time) as a multiple of cat's.
void BM_JsonLinesAgainstCat(benchmark::State& state) {
  const auto cat = command({"cat"});
  const auto cli = command({KAMEROL_CLI, "calc", "--jsonl"});
  std::vector<double> catCpu, catWall, cliCpu, cliWall;
  for (auto _ : state) {
    const Times c = run(cat);
    const Times k = run(cli);
    catCpu.push_back(c.cpu), catWall.push_back(c.wall);
    cliCpu.push_back(k.cpu), cliWall.push_back(k.wall);
  }
  state.counters["cat_cpu_ms"] = median(catCpu) * 1e3;
  state.counters["cli_cpu_ms"] = median(cliCpu) * 1e3;
  state.counters["times_cat"] = medianRatio(cliCpu, catCpu);
  state.counters["times_cat_wall"] = medianRatio(cliWall, catWall);
}
BENCHMARK(BM_JsonLinesAgainstCat)->Unit(benchmark::kMillisecond)->Iterations(30);

// One file, from the start of the process to its exit.
void BM_OneFileProcess(benchmark::State& state) {
  const std::vector<std::string> cli = {KAMEROL_CLI, "calc", (kExamples / "worked-example.tpl").string()};
  double cpu = 0;
  for (auto _ : state) cpu += run(cli).cpu;
  state.counters["cpu_ms"] = cpu / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_OneFileProcess)->Unit(benchmark::kMillisecond)->Iterations(50);

// The thousand files on one thread and on two: wall time, and how many times
// faster two threads are.
void BM_TwoThreadsAgainstOne(benchmark::State& state) {
  const auto one = command({KAMEROL_CLI, "calc", "--jsonl", "-j", "1"});
  const auto two = command({KAMEROL_CLI, "calc", "--jsonl", "-j", "2"});
  std::vector<double> oneWall, twoWall;
  for (auto _ : state) {
    oneWall.push_back(run(one).wall);
    twoWall.push_back(run(two).wall);
  }
  state.counters["j1_ms"] = median(oneWall) * 1e3;
  state.counters["j2_ms"] = median(twoWall) * 1e3;
  state.counters["speedup"] = medianRatio(oneWall, twoWall);
}
BENCHMARK(BM_TwoThreadsAgainstOne)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
