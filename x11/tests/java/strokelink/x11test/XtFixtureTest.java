package strokelink.x11test;

import static strokelink.x11test.Checks.collected;
import static strokelink.x11test.Checks.expect;
import static strokelink.x11test.Checks.expectEquals;

import java.awt.Canvas;
import java.awt.Component;
import java.lang.ref.WeakReference;
import wyvra.gui.tessel.keyboard.NativeLibrary;

/**
 * libstrokelink in a real VM with the real AWT native library, against the
 * Xt fixture on a real X server: keys are injected with XTest, Xt dispatches
 * them on a Java thread, and the Java handlers say what arrived.
 *
 * <p>System properties: strokelink.jawt (the stand-in libjawt.so),
 * strokelink.fixture (libxt_fixture.so), strokelink.library (libstrokelink.so).
 */
public final class XtFixtureTest {
  private static final int DISPATCH_TIMEOUT_MS = 10_000;
  private static final int TABLE_SIZE = 100;

  /** Bound to the fixture's Core widget. */
  private static final Canvas canvas = new Canvas();
  /** Bound to a window of Xt's display that no widget owns. */
  private static final Canvas widgetless = new Canvas();
  /** JAWT gives it no drawing surface. */
  private static final Canvas unbound = new Canvas();

  public static void main(String[] args) throws Exception {
    // Creating the canvases above loaded AWT's native library, which records
    // the VM for the library's event handler. The library itself needs a
    // libjawt.so in the process before it loads.
    System.load(System.getProperty("strokelink.jawt"));
    System.load(System.getProperty("strokelink.fixture"));
    System.load(System.getProperty("strokelink.library"));
    expect("the Xt fixture opens", XtFixture.open());
    expect("bind canvas", StandInJawt.bind(canvas, XtFixture.display(), XtFixture.canvasWindow()));
    expect("bind widgetless",
        StandInJawt.bind(widgetless, XtFixture.display(), XtFixture.plainWindow()));

    Checks checks = new Checks();
    checks.add("keyCodes", XtFixtureTest::keyCodes);
    checks.add("noLocalReferencesLeft", XtFixtureTest::noLocalReferencesLeft);
    checks.add(
        "reportsBeforeTheApplicationsHandler", XtFixtureTest::reportsBeforeTheApplicationsHandler);
    checks.add("nonKeyEvents", XtFixtureTest::nonKeyEvents);
    checks.add("unregistration", XtFixtureTest::unregistration);
    checks.add("secondRegistrationStacks", XtFixtureTest::secondRegistrationStacks);
    checks.add("referencesHeldOnlyByEntries", XtFixtureTest::referencesHeldOnlyByEntries);
    checks.add("componentWithoutWidget", XtFixtureTest::componentWithoutWidget);
    checks.add("fullTable", XtFixtureTest::fullTable);
    checks.add("handlerUnregistersDuringCall", XtFixtureTest::handlerUnregistersDuringCall);
    System.exit(checks.run(args) ? 0 : 1);
  }

  // Keycodes as XTest injects them; the handler gets keycode - 8, above 0.
  private static void keyCodes() throws Exception {
    RecordingHandler handler = new RecordingHandler();
    register(canvas, handler);
    expectEquals("the application's handler", "P9 R9 P38 R38 P255 R255 P8 R8", type(9, 38, 255, 8));
    expectEquals("the Java handler", "P1 R1 P30 R30 P247 R247", handler.takeEvents());
    unregister(canvas, handler);
  }

  // The Xt dispatch may run for long inside one native call (here: one
  // call of the test), so no event may leave a local reference behind, on
  // any path: reported, not reported, unregistered, not a key.
  private static void noLocalReferencesLeft() throws Exception {
    expect("local references can be counted", XtFixture.countLocalReferences());
    RecordingHandler handler = new RecordingHandler();
    register(canvas, handler);
    type(38, 8, 38);
    expectEquals("left by reported keys and keycode 8", 0L, XtFixture.localReferencesLeaked());
    XtFixture.sendClientMessage();
    expectEquals("events dispatched", 1, XtFixture.dispatch(1, DISPATCH_TIMEOUT_MS));
    expectEquals("left by a client message", 0L, XtFixture.localReferencesLeaked());
    unregister(canvas, handler);
    type(38);
    expectEquals("left after unregistration", 0L, XtFixture.localReferencesLeaked());
    expectEquals("the Java handler", "P30 R30 P30 R30", handler.takeEvents());
  }

  // The library's handler goes to the head of the widget's list, so it sees
  // the keys even when the application's handler ends their dispatch; and
  // it lets them go on to that handler.
  private static void reportsBeforeTheApplicationsHandler() throws Exception {
    RecordingHandler handler = new RecordingHandler();
    XtFixture.endDispatchInOwnHandler(true);
    try {
      register(canvas, handler);
      expectEquals("the application's handler", "P38 R38", type(38));
      expectEquals("the Java handler", "P30 R30", handler.takeEvents());
      unregister(canvas, handler);
    } finally {
      XtFixture.endDispatchInOwnHandler(false);
    }
  }

  private static void nonKeyEvents() throws Exception {
    RecordingHandler handler = new RecordingHandler();
    register(canvas, handler);
    XtFixture.sendClientMessage();
    expectEquals("events dispatched", 1, XtFixture.dispatch(1, DISPATCH_TIMEOUT_MS));
    expectEquals("the application's handler", "C", XtFixture.takeSeen());
    expectEquals("the Java handler after a client message", "", handler.takeEvents());
    type(38);
    expectEquals("the Java handler after a key", "P30 R30", handler.takeEvents());
    unregister(canvas, handler);
  }

  private static void unregistration() throws Exception {
    RecordingHandler first = new RecordingHandler();
    register(canvas, first);
    type(38);
    expectEquals("registered", "P30 R30", first.takeEvents());
    unregister(canvas, new Object()); // found by the component, not the handler
    expectEquals("the application's handler after unregistration", "P38 R38", type(38));
    expectEquals("the Java handler after unregistration", "", first.takeEvents());
    // Registering again inserts the same Xt handler again: Xt merges the two,
    // so each event is still reported once.
    RecordingHandler second = new RecordingHandler();
    register(canvas, second);
    type(38);
    expectEquals("registered again", "P30 R30", second.takeEvents());
    expectEquals("the first handler", "", first.takeEvents());
    unregister(canvas, null);
    type(38);
    expectEquals("unregistered with a null handler", "", second.takeEvents());
  }

  // Entries are searched from index 0: the lower-indexed registration of a
  // component gets its events, and a freed entry 0 is reused first.
  private static void secondRegistrationStacks() throws Exception {
    RecordingHandler first = new RecordingHandler();
    RecordingHandler second = new RecordingHandler();
    RecordingHandler third = new RecordingHandler();
    register(canvas, first);
    register(canvas, second);
    type(38);
    expectEquals("first of two", "P30 R30", first.takeEvents());
    expectEquals("second of two", "", second.takeEvents());
    unregister(canvas, first);
    type(38);
    expectEquals("second after the first is gone", "P30 R30", second.takeEvents());
    register(canvas, third);
    type(38);
    expectEquals("third, in the freed first entry", "P30 R30", third.takeEvents());
    expectEquals("second behind the third", "", second.takeEvents());
    unregister(canvas, third);
    type(38);
    expectEquals("second again", "P30 R30", second.takeEvents());
    unregister(canvas, second);
    expectEquals("the application's handler throughout", "P38 R38", type(38));
    expectEquals("nobody after both are gone", "", first.takeEvents() + third.takeEvents());
  }

  private static void referencesHeldOnlyByEntries() throws Exception {
    WeakReference<Object> stored = registerNewHandler(canvas);
    expect("a registered handler is kept", !collected(stored));
    unregister(canvas, null);
    expect("unregistration releases the handler", collected(stored));
    expect("no surface: handler not kept", collected(registerNewHandler(unbound)));
    unregister(unbound, null);
  }

  private static void componentWithoutWidget() throws Exception {
    RecordingHandler handler = new RecordingHandler();
    register(canvas, handler);
    expect("no widget: handler not kept", collected(registerNewHandler(widgetless)));
    expectEquals("events selected on the widgetless window", 0L, XtFixture.plainWindowEventMask());
    unregister(widgetless, null);
    type(38);
    expectEquals("the canvas is still registered", "P30 R30", handler.takeEvents());
    unregister(canvas, handler);
  }

  private static void fullTable() throws Exception {
    RecordingHandler[] handlers = new RecordingHandler[TABLE_SIZE];
    for (int i = 0; i < TABLE_SIZE; i++) {
      handlers[i] = new RecordingHandler();
      register(canvas, handlers[i]);
    }
    expect("the 101st handler is not kept", collected(registerNewHandler(canvas)));
    type(38);
    expectEquals("the first entry", "P30 R30", handlers[0].takeEvents());
    for (int i = 0; i < TABLE_SIZE - 1; i++) {
      unregister(canvas, null);
    }
    type(38);
    expectEquals("the hundredth entry, after 99 unregistrations", "P30 R30",
        handlers[TABLE_SIZE - 1].takeEvents());
    unregister(canvas, null);
    expectEquals("the application's handler", "P38 R38", type(38));
    StringBuilder rest = new StringBuilder();
    for (RecordingHandler handler : handlers) {
      rest.append(handler.takeEvents());
    }
    expectEquals("all other events", "", rest.toString());
  }

  /** Unregisters its component while its press is being reported. */
  static final class UnregisteringHandler extends RecordingHandler {
    private final Component component;

    UnregisteringHandler(Component component) {
      this.component = component;
    }

    @Override
    public void notifyKeyPressed(short code) {
      super.notifyKeyPressed(code);
      NativeLibrary.unregisterKeyEventHandler(component, null);
    }
  }

  // The library must hold no lock of its own while Java runs (this would
  // hang: the watchdog ends it) and must not need the entry's reference
  // after unregistration has deleted it.
  private static void handlerUnregistersDuringCall() throws Exception {
    UnregisteringHandler handler = new UnregisteringHandler(canvas);
    register(canvas, handler);
    expectEquals("the application's handler", "P38 R38", type(38));
    expectEquals("the Java handler", "P30", handler.takeEvents());
    type(38);
    expectEquals("nothing after", "", handler.takeEvents());
  }

  private static WeakReference<Object> registerNewHandler(Component component) {
    Object handler = new RecordingHandler();
    register(component, handler);
    return new WeakReference<>(handler);
  }

  private static void register(Component component, Object handler) {
    long lookups = StandInJawt.surfacesLookedUp();
    NativeLibrary.registerKeyEventHandler(component, handler);
    checkSurfacesReleased(component, lookups);
  }

  private static void unregister(Component component, Object handler) {
    long lookups = StandInJawt.surfacesLookedUp();
    NativeLibrary.unregisterKeyEventHandler(component, handler);
    checkSurfacesReleased(component, lookups);
  }

  private static void checkSurfacesReleased(Component component, long lookupsBefore) {
    long expectedLookups = lookupsBefore + (component == unbound ? 0 : 1);
    expectEquals("surfaces looked up", expectedLookups, StandInJawt.surfacesLookedUp());
    expectEquals("JAWT objects not given back", 0L, StandInJawt.outstanding());
  }

  /**
   * Presses and releases each key through XTest, lets Xt dispatch them and
   * returns what the fixture's own handler saw.
   */
  private static String type(int... keycodes) {
    for (int keycode : keycodes) {
      XtFixture.pressAndRelease(keycode);
    }
    int dispatched = XtFixture.dispatch(2 * keycodes.length, DISPATCH_TIMEOUT_MS);
    String seen = XtFixture.takeSeen();
    expectEquals("events dispatched (" + seen + ")", 2 * keycodes.length, dispatched);
    return seen;
  }
}
