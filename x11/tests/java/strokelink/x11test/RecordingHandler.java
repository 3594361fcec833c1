package strokelink.x11test;

/** A key handler that records "P<code>" / "R<code>" in arrival order. */
public class RecordingHandler {
  private final StringBuilder events = new StringBuilder();

  public void notifyKeyPressed(short code) {
    record("P" + code);
  }

  public void notifyKeyReleased(short code) {
    record("R" + code);
  }

  protected synchronized void record(String event) {
    if (events.length() > 0) {
      events.append(' ');
    }
    events.append(event);
  }

  public synchronized String takeEvents() {
    String taken = events.toString();
    events.setLength(0);
    return taken;
  }
}
