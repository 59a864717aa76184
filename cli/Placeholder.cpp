// Keeps the command library non-empty while the runner is being written.
namespace tagnomen::cli {
int PlaceholderUnused() { return 0; }
}  // namespace tagnomen::cli
