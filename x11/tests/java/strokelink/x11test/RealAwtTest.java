package strokelink.x11test;

import static strokelink.x11test.Checks.collected;
import static strokelink.x11test.Checks.expect;

import java.awt.Canvas;
import java.awt.EventQueue;
import java.awt.Frame;
import java.lang.ref.WeakReference;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.TimeUnit;
import wyvra.gui.tessel.keyboard.NativeLibrary;

/**
 * The JDK's own AWT, which is not built on Xt, with its real JAWT: a Canvas
 * in a shown Frame is registered and unregistered. The library finds no Xt,
 * so it must keep nothing and leave AWT working; the VM must neither crash
 * nor hang.
 *
 * <p>System property strokelink.library: libstrokelink.so.
 */
public final class RealAwtTest {
  private static Frame frame;
  private static Canvas canvas;

  public static void main(String[] args) throws Exception {
    EventQueue.invokeAndWait(RealAwtTest::show);
    waitUntilShowing();
    System.load(System.getProperty("java.home") + "/lib/libjawt.so");
    System.load(System.getProperty("strokelink.library"));

    Checks checks = new Checks();
    checks.add("noXtInProcess", RealAwtTest::noXtInProcess);
    checks.add("registrationKeepsNothing", RealAwtTest::registrationKeepsNothing);
    checks.add("registrationFromEventThread", RealAwtTest::registrationFromEventThread);
    checks.add("awtStillResponds", RealAwtTest::awtStillResponds);
    boolean passed = checks.run(args);
    EventQueue.invokeAndWait(frame::dispose);
    System.exit(passed ? 0 : 1);
  }

  private static void show() {
    frame = new Frame("strokelink");
    canvas = new Canvas();
    canvas.setSize(200, 100);
    frame.add(canvas);
    frame.pack();
    frame.setVisible(true);
  }

  private static void waitUntilShowing() throws InterruptedException {
    for (int i = 0; i < 500 && !canvas.isShowing(); i++) {
      Thread.sleep(20);
    }
    expect("the canvas is showing", canvas.isShowing());
  }

  // What this test is about: an AWT without Xt in the process.
  private static void noXtInProcess() throws Exception {
    boolean xtMapped = Files.readAllLines(Paths.get("/proc/self/maps"))
                           .stream()
                           .anyMatch(line -> line.contains("libXt.so"));
    expect("libXt is not in the process", !xtMapped);
  }

  private static void registrationKeepsNothing() throws Exception {
    WeakReference<Object> handler = registerNewHandler();
    NativeLibrary.unregisterKeyEventHandler(canvas, new Object());
    expect("the handler is not kept", collected(handler));
  }

  private static void registrationFromEventThread() throws Exception {
    EventQueue.invokeAndWait(() -> {
      NativeLibrary.registerKeyEventHandler(canvas, new RecordingHandler());
      NativeLibrary.unregisterKeyEventHandler(canvas, null);
    });
  }

  // A drawing surface left locked would hold AWT's lock: the event thread
  // and the toolkit thread could not go on.
  private static void awtStillResponds() throws Exception {
    NativeLibrary.registerKeyEventHandler(canvas, new RecordingHandler());
    CompletableFuture<Void> resize = CompletableFuture.runAsync(() -> {
      try {
        EventQueue.invokeAndWait(() -> {
          frame.setSize(320, 240);
          frame.validate();
        });
      } catch (Exception e) {
        throw new IllegalStateException(e);
      }
    });
    resize.get(30, TimeUnit.SECONDS);
    NativeLibrary.unregisterKeyEventHandler(canvas, null);
    java.awt.Toolkit.getDefaultToolkit().sync();
  }

  private static WeakReference<Object> registerNewHandler() {
    Object handler = new RecordingHandler();
    NativeLibrary.registerKeyEventHandler(canvas, handler);
    return new WeakReference<>(handler);
  }
}
