package strokelink.x11test;

import java.lang.ref.WeakReference;
import java.util.LinkedHashMap;
import java.util.Map;

/** Named checks run in order; one line per check and a closing count. */
final class Checks {
  interface Check {
    void run() throws Exception;
  }

  private static final long CHECK_TIMEOUT_MS =
      1000 * Long.getLong("strokelink.checkTimeoutSeconds", 60);

  private final Map<String, Check> checks = new LinkedHashMap<>();
  private volatile String running;
  private volatile long deadline;

  void add(String name, Check check) {
    checks.put(name, check);
  }

  /** Runs the named checks (all when none is named); true when all passed. */
  boolean run(String[] names) {
    Map<String, Check> selected = new LinkedHashMap<>();
    if (names.length == 0) {
      selected.putAll(checks);
    }
    for (String name : names) {
      Check check = checks.get(name);
      if (check == null) {
        throw new IllegalArgumentException("no check named " + name);
      }
      selected.put(name, check);
    }
    startWatchdog();
    int passed = 0;
    int failed = 0;
    for (Map.Entry<String, Check> entry : selected.entrySet()) {
      running = entry.getKey();
      deadline = System.currentTimeMillis() + CHECK_TIMEOUT_MS;
      try {
        entry.getValue().run();
        System.out.println("PASS " + entry.getKey());
        passed++;
      } catch (Throwable failure) {
        System.out.println("FAIL " + entry.getKey() + ": " + failure);
        failure.printStackTrace(System.out);
        failed++;
      }
    }
    running = null;
    System.out.println(passed + " passed, " + failed + " failed");
    return failed == 0;
  }

  /** A check that hangs (a deadlock in native code, say) fails instead of stalling the run. */
  private void startWatchdog() {
    Thread watchdog = new Thread(() -> {
      while (true) {
        String check = running;
        if (check != null && System.currentTimeMillis() > deadline) {
          System.out.println(
              "FAIL " + check + ": still running after " + CHECK_TIMEOUT_MS / 1000 + " s");
          System.out.flush();
          Runtime.getRuntime().halt(2);
        }
        try {
          Thread.sleep(200);
        } catch (InterruptedException e) {
          return;
        }
      }
    }, "check watchdog");
    watchdog.setDaemon(true);
    watchdog.start();
  }

  static void expectEquals(String what, Object expected, Object actual) {
    if (!expected.equals(actual)) {
      throw new AssertionError(what + ": expected <" + expected + "> but was <" + actual + ">");
    }
  }

  static void expect(String what, boolean condition) {
    if (!condition) {
      throw new AssertionError(what);
    }
  }

  /** Whether the referent is gone after a few full collections. */
  static boolean collected(WeakReference<?> reference) throws InterruptedException {
    for (int attempt = 0; attempt < 5 && reference.get() != null; attempt++) {
      System.gc();
      Thread.sleep(10);
    }
    return reference.get() == null;
  }
}
