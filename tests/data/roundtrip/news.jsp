<%@ page contentType="text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="news" title="News">
    <p>
      <big>Headlines</big>
<% for (int i = 0; i < items.size(); i++) { %>
      <a href="story.jsp">Story</a><br/>
<% } %>
    </p>
    <p>
      <select name="topic">
        <option value="all">All topics</option>
      </select>
<%-- the topic list ends here --%>
    </p>
  </card>
</wml>
